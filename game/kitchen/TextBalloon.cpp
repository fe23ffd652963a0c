#include "game/kitchen/TextBalloon.h"

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameLog.h"

using GF::TAnimationPtr;
using GF::TRect;

namespace {

constexpr int kSideMargin = 15;  // added left and right besides the margin
constexpr int kTextLayer = 10;

// How much the picture's size must stretch to reach the wanted one; 1 for a picture without size.
float Stretch(int64_t wanted, int64_t picture) {
    return picture > 0 ? static_cast<float>(wanted) / static_cast<float>(picture) : 1.0f;
}

// The name an animation of the resource "module.name" goes by.
std::string BareName(const std::string& resourceName) {
    const std::size_t dot = resourceName.rfind('.');
    return dot == std::string::npos ? resourceName : resourceName.substr(dot + 1);
}

}  // namespace

CTextBalloon::~CTextBalloon() {
    m_scene.Reset();
}

void CTextBalloon::Assign(const std::string& balloonName, const std::string& textName,
                          const GF::THolder<GF::IScene>& scene) {
    m_balloonName = balloonName;
    m_textName = textName;
    m_scene = scene;
}

TAnimationPtr CTextBalloon::SetText(const GF::WString& text) {
    if (!m_scene) {
        GameLog("CTextBalloon: no scene for \"%s\"", m_balloonName.c_str());
        return {};
    }
    TRect box;
    {
        // Measured once, then taken off the scene again: it is only a ruler.
        const TAnimationPtr ruler = m_scene->CreateAnimation(m_textName);
        if (!ruler) {
            GameLog("CTextBalloon: no text animation \"%s\"", m_textName.c_str());
            return {};
        }
        ruler->SetText("_text", text);
        ruler->Update(0.0f);
        box = ruler->GetBoundingBox();
        ruler->Reset();
    }
    box.left -= m_margin + kSideMargin;
    box.right += m_margin + kSideMargin;
    box.top -= m_margin;
    box.bottom += m_margin;

    const TAnimationPtr balloon = m_scene->CreateAnimation(m_balloonName);
    if (!balloon) {
        GameLog("CTextBalloon: no balloon animation \"%s\"", m_balloonName.c_str());
        return {};
    }
    balloon->Update(0.0f);
    const TRect picture = balloon->GetBoundingBox();
    const float sx = Stretch(int64_t{box.right} - box.left, int64_t{picture.right} - picture.left);
    const float sy = Stretch(int64_t{box.bottom} - box.top, int64_t{picture.bottom} - picture.top);
    balloon->SetScale(sx, sy);

    const GF::TSubstitutedContainerPtr host(balloon->GetDrawable(0).Get());
    const TAnimationPtr words = host ? host->FindSubstituted(BareName(m_textName)) : TAnimationPtr();
    if (words) {
        words->SetLayer(kTextLayer);
        words->SetText("_text", text);
        words->SetScale(sx > 0.0f ? 1.0f / sx : 1.0f, sy > 0.0f ? 1.0f / sy : 1.0f);
    } else {
        GameLog("CTextBalloon: \"%s\" hosts no \"%s\"", m_balloonName.c_str(), m_textName.c_str());
    }
    return balloon;
}
