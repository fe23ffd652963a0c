#pragma once
#include <string>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeSprite.h"

namespace GF {

// A picture cut from a texture, as the resource manager hands it out for a sprite info: one engine
// sprite and its size.
class IImage : public CRefCount {
public:
    virtual void SetSprite(const THolder<HGENS::CHGESprite>& sprite) = 0;
    virtual THolder<HGENS::CHGESprite> GetSprite() = 0;
    virtual float GetWidth() = 0;  // the sprite's rectangle, 0 without a sprite
    virtual float GetHeight() = 0;
};

namespace HGENS {

class CImage : public IImage {
public:
    void SetSprite(const THolder<CHGESprite>& sprite) override { m_sprite = sprite; }
    THolder<CHGESprite> GetSprite() override { return m_sprite; }
    float GetWidth() override { return m_sprite ? m_sprite->width : 0.0f; }
    float GetHeight() override { return m_sprite ? m_sprite->height : 0.0f; }

private:
    THolder<CHGESprite> m_sprite;
};

// One picture of the resource archive and its engine texture, loaded on demand. The file base name
// has no extension: Load tries base + ".png" through the engine, else base + ".jp2" decoded here,
// with its alpha taken from the grey levels of the companion GIF "m_" + number + ".gif" beside it.
// The texture cache and the fonts own textures; the engine texture is freed with the object.
class CTexture : public CRefCount {
public:
    CTexture(const std::string& name, const std::string& fileName) : m_name(name), m_fileName(fileName) {}
    ~CTexture() override;

    // Loads the file and sets the handle; a texture that cannot be loaded keeps handle 0.
    void Load();
    // Frees the engine texture; the handle goes back to 0.
    void Unload();

    HTEXTURE GetHandle() const { return m_handle; }
    const std::string& GetName() const { return m_name; }

private:
    HTEXTURE m_handle = 0;
    std::string m_name;
    std::string m_fileName;
};

}  // namespace HGENS
}  // namespace GF
