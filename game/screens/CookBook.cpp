#include "game/screens/CookBook.h"

#include <string>
#include <utility>

#include "framework/core/Delegate.h"
#include "framework/core/Keyset.h"
#include "framework/gui/LayoutItem.h"
#include "framework/resources/ResourceCache.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IScene.h"
#include "game/app/GameData.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/Progress.h"
#include "game/screens/CheatClass.h"

namespace {

constexpr int kHiddenPageLayer = 50;
constexpr float kTurnedOver = 1.0f;
constexpr float kFlat = 0.0f;

}  // namespace

// The key table and the buttons may outlive the screen: nothing of it stays subscribed there.
CCookBook::~CCookBook() {
    Unsubscribe();
    if (m_nextButton) m_nextButton->m_clickEvent.Remove(GF::CreateDelegate(this, &CCookBook::OnNextClick));
    if (m_prevButton) m_prevButton->m_clickEvent.Remove(GF::CreateDelegate(this, &CCookBook::OnPrevClick));
    for (const GF::THolder<CDeliveryButton>& tab : m_tabs) {
        if (tab) tab->m_clickEvent.Remove(GF::CreateDelegate(this, &CCookBook::OnTabClick));
    }
    m_leftPage.Reset();
    m_rightPage.Reset();
    m_pages.Clear();
}

void CCookBook::Unsubscribe() {
    if (!m_subscribed) return;
    m_subscribed = false;
    GF::GetKeyset()->GetKeyDownEvent().Remove(GF::CreateDelegate(this, &CCookBook::OnKey));
}

void CCookBook::OnInitialize() {
    TGameMenuScreen::OnInitialize();
    m_pages.Init(m_scene);
    FillBook();
    CreateLeaves();

    BindControl("exit", "back", false, kGameFinishFlags);
    m_nextButton = CreateControl(GF::HGENS::EControlKind::Button, "next", {});
    if (m_nextButton)
        m_nextButton->m_clickEvent.Add(GF::CreateDelegate(this, &CCookBook::OnNextClick));
    else
        LogMissingPart(m_name, "next");
    m_prevButton = CreateControl(GF::HGENS::EControlKind::Button, "prev", {});
    if (m_prevButton)
        m_prevButton->m_clickEvent.Add(GF::CreateDelegate(this, &CCookBook::OnPrevClick));
    else
        LogMissingPart(m_name, "prev");

    JumpToNewestRecipe();
    UpdateButtons();
    GF::GetKeyset()->GetKeyDownEvent().Add(GF::CreateDelegate(this, &CCookBook::OnKey));
    m_subscribed = true;
}

// The scene may be the one of the screen under the book, which lives on: the leaves and the shown
// pages leave it with the book.
void CCookBook::OnDestroy() {
    TGameMenuScreen::OnDestroy();
    Unsubscribe();
    if (!m_scene) return;
    for (const GF::THolder<CPaperEffect>& leaf : {m_leftLeaf, m_rightLeaf, m_turningLeaf}) {
        if (leaf) m_scene->RemoveDrawable(GF::TDrawablePtr(leaf.Get()));
    }
    for (GF::TAnimationPtr* page : {&m_leftPage, &m_rightPage}) {
        if (!*page) continue;
        m_scene->RemoveAnimation(*page);
        (*page)->Destroy();
        page->Reset();
    }
}

bool CCookBook::UpdateIdle(const float& dt) {
    if (!TGameMenuScreen::UpdateIdle(dt)) return false;
    (this->*m_state)(dt);
    return true;
}

// A tab per chapter; a tab the layout lacks leaves a gap, so that tab i stays chapter i.
void CCookBook::FillBook() {
    const CCookBookPages::tagOutline outline =
        m_pages.Fill(GetLevelsData().CookBook, GetCurrentPlayer().flags2, GetCheatListener().IsUnlocked());
    m_chapterSpreads = outline.chapterSpreads;
    m_newestRecipePage = outline.newestRecipePage;
    for (std::size_t chapter = 0; chapter < m_chapterSpreads.size(); ++chapter) {
        const std::string name = kTabPrefix + std::to_string(chapter + 1);
        const GF::TAnimationPtr item = GF::HGENS::FindLayoutItem(m_layout, name);
        GF::THolder<CDeliveryButton> tab =
            item ? CDeliveryButton::Create(item, true) : GF::THolder<CDeliveryButton>();
        if (tab) {
            tab->m_clickEvent.Add(GF::CreateDelegate(this, &CCookBook::OnTabClick));
            AttachControlSounds(GF::THolder<GF::HGENS::CBaseControl>(tab.Get()));
        } else {
            LogMissingPart(m_name, "_item_" + name);
        }
        m_tabs.push_back(tab);
    }
}

void CCookBook::CreateLeaves() {
    const int width = static_cast<int>(m_pages.GetPageWidth());
    const int height = static_cast<int>(m_pages.GetPageHeight());
    const GF::TRect rect{kLeafLeft, kLeafTop, kLeafLeft + width, kLeafTop + height};
    const GF::THolder<GF::HGENS::CResourceCache> cache = GF::HGENS::GetResourceCache();
    m_frontMask = cache->GetTexture(kMask);
    m_backMask = cache->GetTexture(kMask);
    for (GF::THolder<CPaperEffect>* leaf : {&m_leftLeaf, &m_rightLeaf, &m_turningLeaf}) {
        *leaf = CPaperEffect::Create(0.0f, kStartAngle, kEndAngle, rect);
        if (m_scene) m_scene->AddDrawable(GF::TDrawablePtr(leaf->Get()));
    }

    const int stage = GetStageNumber(GetCurrentPlayer().stageName);
    const int chapters = static_cast<int>(m_chapterSpreads.size());
    m_spread = stage - 1 >= 0 && stage - 1 < chapters - 1
                   ? m_chapterSpreads[static_cast<std::size_t>(stage - 1)]
                   : -1;
    SetupLeaf(m_leftLeaf, m_spread, m_spread + 1, kTurnedOver);
    SetupLeaf(m_rightLeaf, m_spread + 2, m_spread + 3, kFlat);
    SetLeafLayer(m_leftLeaf, kLeafLayer);
    SetLeafLayer(m_rightLeaf, kLeafLayer);
    m_turningLeaf->SetVisible(false);
    SetLeafLayer(m_turningLeaf, kTurningLayer);
}

// The spread is taken from the page the recipe is on: rounding the pages before the recipe down
// to a multiple of four opens a spread that lies before it.
std::optional<int> CCookBook::NewestRecipeSpread(int page) {
    if (page < 0) return std::nullopt;
    const int target = page % 2 == 0 ? page - 1 : page - 2;
    if (target < 3) return std::nullopt;
    return target;
}

// The newest recipe the player knows, when the flow asks for it.
void CCookBook::JumpToNewestRecipe() {
    if (GetCurrentPlayer().stringVars[kReplayVariable] != kNewRecipe) return;
    if (const std::optional<int> target = NewestRecipeSpread(m_newestRecipePage)) GoToSpread(*target);
}

void CCookBook::SetLeafLayer(const GF::THolder<CPaperEffect>& leaf, int layer) {
    leaf->SetLayer(layer);
    if (m_scene) m_scene->RequestSort();
}

void CCookBook::SetupLeaf(const GF::THolder<CPaperEffect>& leaf, int front, int back, float progress) {
    PrepareLeaf(leaf, front, back);
    leaf->SetProgress(progress);
    if (!m_paperFailed) leaf->SetVisible(true);
}

// The front lies on the right and is seen as it is drawn; the back is seen turned over, on the
// left, so it is drawn mirrored and reads the right way round once turned.
void CCookBook::PrepareLeaf(const GF::THolder<CPaperEffect>& leaf, int front, int back) {
    if (m_paperFailed) return;
    const int width = static_cast<int>(m_pages.GetPageWidth()) - 2;
    const int height = static_cast<int>(m_pages.GetPageHeight()) - 2;
    bool built = false;
    if (width > 0 && height > 0) {
        leaf->SetTextureSize(width, height);
        const GF::TAnimationPtr frontSide =
            front != -1 ? m_pages.BuildRightPage(front, 1.0f, false) : GF::TAnimationPtr();
        const GF::TAnimationPtr backSide =
            back != -1 ? m_pages.BuildLeftPage(back, -1.0f, false) : GF::TAnimationPtr();
        built = leaf->Build(frontSide, backSide, m_frontMask, m_backMask);
        m_pages.ClearSides();
    }
    if (built) return;
    m_paperFailed = true;
    ShowPages(m_spread + 1, m_spread + 2);
}

void CCookBook::DropShownPages() {
    for (GF::TAnimationPtr* page : {&m_leftPage, &m_rightPage}) {
        if (!*page) continue;
        (*page)->SetLayer(kHiddenPageLayer);
        (*page)->Play("_hide", 0, true);
        page->Reset();
    }
}

void CCookBook::ShowPages(int left, int right) {
    DropShownPages();
    const float width = m_pages.GetPageWidth();
    m_leftPage = m_pages.BuildLeftPage(left, 1.0f, true);
    m_rightPage = m_pages.BuildRightPage(right, 1.0f, true);
    const std::pair<GF::TAnimationPtr*, float> places[] = {
        {&m_leftPage, static_cast<float>(kLeafLeft) - width}, {&m_rightPage, static_cast<float>(kLeafLeft)}};
    for (const auto& [page, x] : places) {
        if (!*page) continue;
        const GF::TRect box = (*page)->GetBoundingBox();
        const GF::TPoint<float> at = (*page)->GetPosition();
        (*page)->SetPosition(at.x + x - static_cast<float>(box.left),
                             at.y + static_cast<float>(kLeafTop) - static_cast<float>(box.top));
        (*page)->SetLayer(kPageLayer);
        (*page)->SetVisible(true);
        (*page)->Play("_show", 0, false);
        (*page)->Update(0.0f);
    }
    for (const GF::THolder<CPaperEffect>& leaf : {m_leftLeaf, m_rightLeaf, m_turningLeaf}) {
        if (leaf) leaf->SetVisible(false);
    }
    if (m_scene) m_scene->RequestSort();
}

void CCookBook::NextPage() {
    if (IsTurning() || m_spread >= PageCount() - 3) return;
    PlayGameSound(kTurnSound);
    m_spread += 2;
    if (!m_paperFailed) {
        SetLeafLayer(m_turningLeaf, kLeafLayer);
        std::swap(m_rightLeaf, m_turningLeaf);
        SetLeafLayer(m_turningLeaf, kTurningLayer);
        SetupLeaf(m_rightLeaf, m_spread + 2, m_spread + 3, kFlat);
    }
    if (m_paperFailed) {
        ShowPages(m_spread + 1, m_spread + 2);
        UpdateButtons();
        return;
    }
    m_direction = 1.0f;
    m_turnTime = 0.0f;
    m_state = &CCookBook::UpdateTurning;
}

void CCookBook::PrevPage() {
    if (IsTurning() || m_spread <= -1) return;
    PlayGameSound(kTurnSound);
    m_spread -= 2;
    if (!m_paperFailed) {
        if (m_jumped) {
            m_jumped = false;
            SetupLeaf(m_leftLeaf, m_spread + 2, -1, kTurnedOver);
        }
    }
    if (!m_paperFailed) {
        SetLeafLayer(m_turningLeaf, kLeafLayer);
        std::swap(m_leftLeaf, m_turningLeaf);
        SetLeafLayer(m_turningLeaf, kTurningLayer);
        SetupLeaf(m_leftLeaf, m_spread, m_spread + 1, kTurnedOver);
    }
    if (m_paperFailed) {
        ShowPages(m_spread + 1, m_spread + 2);
        UpdateButtons();
        return;
    }
    m_direction = -1.0f;
    m_turnTime = 0.0f;
    m_state = &CCookBook::UpdateTurning;
}

void CCookBook::GoToChapter(int index) {
    if (IsTurning() || index < 0 || index >= static_cast<int>(m_chapterSpreads.size())) return;
    GoToSpread(m_chapterSpreads[static_cast<std::size_t>(index)]);
}

// The right leaf gets the chapter's left page as its back, and the turn that follows lifts it over.
void CCookBook::GoToSpread(int target) {
    if (IsTurning() || target == m_spread || target - 2 >= PageCount() - 3) return;
    m_jumped = true;
    m_spread = target;
    if (!m_paperFailed) {
        SetupLeaf(m_rightLeaf, -1, target + 1, kFlat);
        SetLeafLayer(m_rightLeaf, kLeafLayer);
    }
    m_spread -= 2;
    NextPage();
}

void CCookBook::OnKey(int key) {
    if (m_finishing) return;
    if (key == GF::CKeyset::kKeyLeft) PrevPage();
    if (key == GF::CKeyset::kKeyRight) NextPage();
}

void CCookBook::OnTabClick(GF::THolder<GF::HGENS::CBaseControl> control, const GF::TPoint<int>&, int) {
    for (std::size_t index = 0; index < m_tabs.size(); ++index) {
        if (m_tabs[index] && m_tabs[index].Get() == control.Get()) {
            GoToChapter(static_cast<int>(index));
            return;
        }
    }
}

void CCookBook::OnNextClick(GF::THolder<GF::HGENS::CBaseControl>, const GF::TPoint<int>&, int) {
    NextPage();
}

void CCookBook::OnPrevClick(GF::THolder<GF::HGENS::CBaseControl>, const GF::TPoint<int>&, int) {
    PrevPage();
}

void CCookBook::UpdateButtons() {
    const int left = m_spread + 1;
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        if (!m_tabs[i]) continue;
        const bool before = left < m_chapterSpreads[i];
        const bool after = i + 1 < m_tabs.size() && left >= m_chapterSpreads[i + 1];
        m_tabs[i]->SetEnabled(before || after);
    }
    if (m_prevButton) m_prevButton->SetEnabled(m_spread > -1);
    if (m_nextButton) m_nextButton->SetEnabled(m_spread < PageCount() - 3);
}

void CCookBook::UpdateIdleState(const float& dt) {
    for (const GF::THolder<CDeliveryButton>& tab : m_tabs) {
        if (tab) tab->Update(dt);
    }
}

// A turn lasts the game data's page-turn time; none (0 or less) ends it in its first frame.
// Backward turns ease out.
void CCookBook::UpdateTurning(const float& dt) {
    m_turnTime += dt;
    const float duration = GetGameData().bookPageTime;
    float p = duration > 0.0f ? m_turnTime / duration : 1.0f;
    const bool ended = duration <= 0.0f || p >= 1.0f;
    if (ended) {
        m_state = &CCookBook::UpdateIdleState;
        p = 1.0f;
    }
    if (m_direction < 0.0f) p = p * p * (2.0f - p);
    m_turningLeaf->SetProgress(m_direction > 0.0f ? p : 1.0f - p);
    if (!ended) return;
    SetLeafLayer(m_turningLeaf, kLeafLayer);
    std::swap(m_turningLeaf, m_direction > 0.0f ? m_leftLeaf : m_rightLeaf);
    m_turningLeaf->SetVisible(false);
    UpdateButtons();
}
