#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/WString.h"
#include "framework/scene/IScene.h"
#include "framework/scene/SceneFwd.h"

// A speech balloon: a balloon picture stretched around a text, for the kitchen character's words (the
// hints, the dressing room). The text animation has a text part "_text"; the balloon's first part
// hosts an animation of the text animation's name, which shows the words.
class CTextBalloon {
public:
    CTextBalloon() = default;
    ~CTextBalloon();

    // Both resource names ("module.name") and the scene the balloons are made in.
    void Assign(const std::string& balloonName, const std::string& textName,
                const GF::THolder<GF::IScene>& scene);
    // Pixels added around the text on every side (and 15 more left and right).
    void SetMargin(int margin) { m_margin = margin; }

    // A new balloon in the scene, scaled so that its picture frames the text, the text inside scaled
    // back to its own size; the caller places and shows it. Empty (logged) when either animation is
    // missing; a picture with no width or height is not stretched that way.
    GF::TAnimationPtr SetText(const GF::WString& text);

private:
    int m_margin = 0;
    std::string m_balloonName;
    std::string m_textName;
    GF::THolder<GF::IScene> m_scene;
};
