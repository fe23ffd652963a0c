#include "game/screens/NewReceptScreen.h"

#include <string>
#include <vector>

#include "framework/core/WString.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/ResourceText.h"
#include "game/app/TruncateToInt.h"

namespace {

constexpr const char* kPlace = "_place";
constexpr const char* kCaption = "_text";

}  // namespace

void CNewReceptScreen::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    BindControl("ok", "ok", false, kGameFinishFlags);
    BindControl("cookbook", "cookbook", false, kGameFinishFlags);
    CPlayerProfile& player = GetCurrentPlayer();
    const int count = TruncateToInt(player.floatVars[kNewRecipesVariable]);
    player.floatVars[kNewRecipesVariable] = 0.0f;
    const GF::WString caption = count > 1
                                    ? GF::Utf8ToUtf16(std::to_string(count)) + u" " + ResourceText("recipes")
                                    : ResourceText("recipe");
    if (m_layout) m_layout->SetText(kCaption, caption);
    ShowNewRecipes();
}

void CNewReceptScreen::Show() {
    TGameMenuScreen::Show();
    SetFrameVisible(true);
    PlayGameSound(kShowSound);
}

void CNewReceptScreen::Hide() {
    TGameMenuScreen::Hide();
    SetFrameVisible(false);
}

void CNewReceptScreen::SetFrameVisible(bool visible) {
    if (m_frame) m_frame->SetVisible(visible);
    for (const GF::TAnimationPtr& picture : m_pictures) picture->SetVisible(visible);
}

void CNewReceptScreen::ShowNewRecipes() {
    CPlayerProfile& player = GetCurrentPlayer();
    const std::vector<std::string> names = player.names;
    player.names.clear();
    if (!m_scene) return;
    m_frame = m_scene->CreateAnimation(kFramePrefix + std::to_string(names.size()));
    if (!m_frame) {
        GameLog("%s: no frame for %zu recipes", m_name.c_str(), names.size());
        return;
    }
    const GF::TSubstitutedContainerPtr place(m_layout ? m_layout->FindDrawable(kPlace).Get() : nullptr);
    if (place)
        m_frame->SetContainer(place, true);
    else
        LogMissingPart(m_name, kPlace);
    m_frame->SetLayer(kFrameLayer);
    m_frame->Play("all", 1, false);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const unsigned at = static_cast<unsigned>(2 * i);
        const GF::TSubstitutedContainerPtr holder(m_frame->GetDrawable(at).Get());
        const GF::TAnimationPtr picture = m_scene->CreateAnimation(names[i]);
        if (picture && holder) {
            picture->SetContainer(holder, true);
            m_pictures.push_back(picture);
        }
        const GF::TTextSpritePtr title(m_frame->GetDrawable(at + 1).Get());
        const CReceptInfo* recipe = GetLevelsData().FindRecept(names[i]);
        if (title && recipe) title->SetText(recipe->Title);
    }
}
