#pragma once
#include <cstdint>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/DrawableAbstract.h"
#include "framework/scene/HgeSprite.h"
#include "framework/scene/ISprite.h"

namespace GF {
namespace HGENS {

// The image drawable of an animation: one engine sprite whose frame (the IDResource track picks the
// sprite info), colour, opacity, blend mode, hotspot and placement follow the tracks of its sprite
// description. Every frame change makes a fresh engine sprite of its own.
class CSpriteObject : public CDrawableAbstract, public ISprite, public CRefCount {
public:
    CSpriteObject() = default;
    ~CSpriteObject() override;

    // A new, unbound sprite object in its first holder: the maker sprite descriptions use.
    static THolder<IObjectAnimation> Make();

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    bool Update(const float& dt) override;
    void ApplyModifiers() override;

    // --- IDrawable ---
    void Render() override;
    // Around the drawn sprite, truncated to whole pixels; (0, 0, 0, 0) without a sprite.
    TRect GetBoundingBox() override;

    // --- ISprite ---
    uint32_t GetColor() override;
    void SetColorAndBlend(uint32_t color, int blend) override;
    void ShowSprite(const THolder<CHGESprite>& sprite) override;
    THolder<CHGESprite> GetShownSprite() override;

    // The engine sprite of the current frame; empty before the first frame or for an unknown id.
    const THolder<CHGESprite>& GetSprite() const { return m_sprite; }
    // What is drawn: the sprite shown in place of the frame's, else the frame's.
    const THolder<CHGESprite>& Drawn() const { return m_shown ? m_shown : m_sprite; }

private:
    void RebuildFrame();
    void ApplyColorAndBlend();
    void ApplyColorAndBlendTo(CHGESprite& sprite);
    void ApplyHotspot();

    // Code's colour and blend, kept over the tracks while set.
    bool m_overridden = false;
    uint32_t m_colorOverride = 0;
    int m_blendOverride = 0;
    THolder<CHGESprite> m_sprite;
    THolder<CHGESprite> m_shown;
    TRect m_bounds;
    float m_drawX = 0.0f;
    float m_drawY = 0.0f;
};

}  // namespace HGENS
}  // namespace GF
