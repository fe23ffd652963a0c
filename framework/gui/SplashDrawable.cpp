#include "framework/gui/SplashDrawable.h"

namespace GF {
namespace HGENS {

namespace {

constexpr int kPictureCount = 9;
constexpr float kFadePerMillisecond = 0.001f;
constexpr float kHoldMilliseconds = 1000.0f;
// The pictures are centred on the game's 800 x 600 picture whatever the display mode.
constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

}  // namespace

CSpalshDrawable::CSpalshDrawable() : m_hge(hgeCreate(HGE_VERSION)) {}

CSpalshDrawable::~CSpalshDrawable() {
    FreePicture();
    m_hge->Release();
}

bool CSpalshDrawable::QueryInterface(const int& id, void** out) {
    return QueryDrawableOnly(this, id, out);
}

void CSpalshDrawable::Init() {
    m_names.clear();
    for (int i = 1; i <= kPictureCount; ++i) m_names.push_back("splash_" + std::to_string(i));
    m_extensions = {".jpg", ".png", ".bmp", ".jpeg"};
    m_next = 0;
    LoadNext();
}

void CSpalshDrawable::FreePicture() {
    m_sprite.reset();
    if (m_texture) m_hge->Texture_Free(m_texture);
    m_texture = 0;
}

void CSpalshDrawable::LoadNext() {
    if (m_next >= m_names.size()) return;  // the last picture stays, black
    FreePicture();
    while (!m_texture && m_next < m_names.size()) {
        for (const std::string& extension : m_extensions) {
            const std::string file = m_names[m_next] + extension;
            m_texture = m_hge->Texture_Load(file.c_str(), 0);
            if (!m_texture) continue;
            const float width = static_cast<float>(m_hge->Texture_GetWidth(m_texture, true));
            const float height = static_cast<float>(m_hge->Texture_GetHeight(m_texture, true));
            m_sprite = std::make_unique<hgeSprite>(m_texture, 0.0f, 0.0f, width, height);
            m_state = kFadingIn;
            m_currentName = m_names[m_next];
            break;
        }
        ++m_next;
    }
    m_color = hgeColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void CSpalshDrawable::Update(float dt) {
    float level = m_color.r;
    switch (m_state) {
        case kFadingIn:
            level += dt * kFadePerMillisecond;
            if (level > 1.0f) {
                level = 1.0f;
                m_state = kHolding;
                m_holdTime = kHoldMilliseconds;
            }
            m_color.r = m_color.g = m_color.b = level;
            break;
        case kHolding:
            if (m_holdTime > 0.0f) m_holdTime -= dt;
            if (!(m_holdTime > 0.0f)) m_state = kFadingOut;
            break;
        case kFadingOut:
            level -= dt * kFadePerMillisecond;
            if (level < 0.0f) {
                level = 0.0f;
                LoadNext();
            }
            m_color.r = m_color.g = m_color.b = level;
            break;
        default:
            break;
    }
    if (m_sprite) m_sprite->SetColor(m_color.GetHWColor());
}

bool CSpalshDrawable::IsFinished() const {
    return m_next >= m_names.size() && m_state == kFadingOut && m_color.r == 0.0f;
}

void CSpalshDrawable::Render() {
    if (!m_sprite) return;
    m_hge->Gfx_Clear(0);
    m_sprite->Render((kScreenWidth - m_sprite->width) * 0.5f, (kScreenHeight - m_sprite->height) * 0.5f);
}

}  // namespace HGENS
}  // namespace GF
