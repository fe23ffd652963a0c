#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/Hge.h"
#include "framework/core/RefCount.h"
#include "framework/scene/HgeColor.h"
#include "framework/scene/HgeSprite.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"

namespace GF {
namespace HGENS {

// The start-up pictures "splash_1" to "splash_9" (each tried as .jpg, .png, .bmp and .jpeg; missing
// numbers skipped), shown one after another centred on a black 800 x 600 picture: each fades in
// from black over a second, holds a second and fades out over a second. The publisher screen
// steps it every frame and moves on once it is finished.
class CSpalshDrawable : public IDrawable, public CRefCount {
public:
    enum EState { kFadingIn = 0, kHolding = 1, kFadingOut = 2 };

    CSpalshDrawable();
    ~CSpalshDrawable() override;
    CSpalshDrawable(const CSpalshDrawable&) = delete;
    CSpalshDrawable& operator=(const CSpalshDrawable&) = delete;

    GF_IMPLEMENT_IBASE_REFCOUNT
    bool QueryInterface(const int& id, void** out) override;

    // Lists the names and extensions and loads the first picture there is.
    void Init();
    // dt in milliseconds.
    void Update(float dt);
    // The last picture has faded out (at once when there was none).
    bool IsFinished() const;

    // 0.0 black to 1.0 the picture at full light.
    float GetLevel() const { return m_color.r; }
    const std::string& GetCurrentName() const { return m_currentName; }

    // IDrawable
    void Detach() override {}
    void Render() override;
    int32_t GetLayer() override { return 0; }
    TRect GetBoundingBox() override { return m_bounds; }
    THolder<IScene> GetScene() override { return {}; }
    bool IsVisible() override { return true; }
    void SetScene(const THolder<IScene>&) override {}
    void SetVisible(bool) override {}

private:
    void LoadNext();
    void FreePicture();

    HGE* m_hge;
    TRect m_bounds;
    HTEXTURE m_texture = 0;
    std::unique_ptr<hgeSprite> m_sprite;
    std::vector<std::string> m_names;
    std::size_t m_next = 0;  // the next name to try
    std::vector<std::string> m_extensions;
    std::string m_currentName;
    float m_holdTime = 0.0f;
    hgeColor m_color;  // red, green and blue are the fade level
    int m_state = kFadingOut;
};

}  // namespace HGENS
}  // namespace GF
