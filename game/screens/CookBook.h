#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/Button.h"
#include "framework/scene/SceneFwd.h"
#include "game/app/ScreenMaker.h"
#include "game/kitchen/DeliveryButton.h"
#include "game/screens/CookBookPages.h"
#include "game/screens/GameMenuScreen.h"
#include "game/screens/PaperEffect.h"

// The recipe book ("CookingBookScreen"): the level data's cook book flowed onto pages and shown as
// two-page spreads, leafed with "next" and "prev", the arrow keys and the chapter tabs
// ("_item_zakladka_1", "_item_zakladka_2", ... of the layout). Every turn curls a leaf over the
// game data's page-turn time; while it turns the book ignores input. It opens at the chapter of
// the player's current stage, or, when string variable 28 is "new_recept", at the newest recipe
// the player knows. "exit" ends it with "back".
//
// Spread s shows page s + 1 on the left and s + 2 on the right; s = -1 is the first spread. Three
// leaves lie over the spread: the left one turned over (its back is the left page), the right one
// flat (its front is the right page), and the one being turned. When a leaf cannot be built the
// book shows its pages directly from then on, changing spreads at once.
class CCookBook : public TGameMenuScreen, public CScreenMaker<CCookBook> {
public:
    static constexpr int kReplayVariable = 28;
    static constexpr const char* kNewRecipe = "new_recept";
    static constexpr const char* kMask = "cookbook_page_1";
    static constexpr const char* kTabPrefix = "zakladka_";
    static constexpr int kTurnSound = 24;
    static constexpr int kLeafLayer = 100;
    static constexpr int kTurningLayer = 110;
    static constexpr int kPageLayer = 200;
    static constexpr int kLeafLeft = 424;
    static constexpr int kLeafTop = 37;
    static constexpr float kStartAngle = 0.5f;
    static constexpr float kEndAngle = 1.5707964f;

    ~CCookBook() override;

    // The spread the book turns to for the newest known recipe, whose first item is on that page:
    // the spread that shows the page. None for no page, or for a page of the first two spreads.
    static std::optional<int> NewestRecipeSpread(int page);

    void OnInitialize() override;
    void OnDestroy() override;
    bool UpdateIdle(const float& dt) override;

    void NextPage();
    void PrevPage();
    // Turns to the chapter of that tab; nothing for an index outside the chapters, while turning,
    // or when the chapter's spread is open.
    void GoToChapter(int index);
    void OnKey(int key);
    void OnTabClick(GF::THolder<GF::HGENS::CBaseControl> control, const GF::TPoint<int>& point, int button);
    void OnNextClick(GF::THolder<GF::HGENS::CBaseControl> control, const GF::TPoint<int>& point, int button);
    void OnPrevClick(GF::THolder<GF::HGENS::CBaseControl> control, const GF::TPoint<int>& point, int button);
    // Shows the two pages directly (the leaves hidden).
    void ShowPages(int left, int right);
    // Draws the leaf's sides from the pages (-1: no side); a failure switches the book to showing
    // its pages directly.
    void PrepareLeaf(const GF::THolder<CPaperEffect>& leaf, int front, int back);
    void UpdateButtons();

    // What a player (or a test) can see of the book.
    int GetSpread() const { return m_spread; }
    bool IsTurning() const { return m_state == &CCookBook::UpdateTurning; }
    bool IsPaperFailed() const { return m_paperFailed; }
    const CCookBookPages& GetPages() const { return m_pages; }
    const std::vector<int>& GetChapterSpreads() const { return m_chapterSpreads; }
    const std::vector<GF::THolder<CDeliveryButton>>& GetTabs() const { return m_tabs; }
    const GF::TAnimationPtr& GetLeftPage() const { return m_leftPage; }
    const GF::TAnimationPtr& GetRightPage() const { return m_rightPage; }

private:
    using TState = void (CCookBook::*)(const float& dt);

    friend CScreenMaker<CCookBook>;
    CCookBook() = default;

    void UpdateIdleState(const float& dt);
    void UpdateTurning(const float& dt);
    void FillBook();
    void CreateLeaves();
    void JumpToNewestRecipe();
    // Turns to spread `target` as a chapter tab does.
    void GoToSpread(int target);
    void SetLeafLayer(const GF::THolder<CPaperEffect>& leaf, int layer);
    void SetupLeaf(const GF::THolder<CPaperEffect>& leaf, int front, int back, float progress);
    void DropShownPages();
    void Unsubscribe();
    int PageCount() const { return m_pages.GetPageCount(); }

    TState m_state = &CCookBook::UpdateIdleState;
    GF::THolder<GF::HGENS::CBaseControl> m_nextButton;
    GF::THolder<GF::HGENS::CBaseControl> m_prevButton;
    HTEXTURE m_frontMask = 0;
    HTEXTURE m_backMask = 0;
    GF::THolder<CPaperEffect> m_leftLeaf;
    GF::THolder<CPaperEffect> m_rightLeaf;
    GF::THolder<CPaperEffect> m_turningLeaf;
    float m_direction = 1.0f;
    float m_turnTime = 0.0f;
    bool m_paperFailed = false;
    int m_spread = -1;
    std::vector<GF::THolder<CDeliveryButton>> m_tabs;
    std::vector<int> m_chapterSpreads;
    CCookBookPages m_pages;
    GF::TAnimationPtr m_leftPage;
    GF::TAnimationPtr m_rightPage;
    bool m_jumped = false;
    int m_newestRecipePage = -1;
    bool m_subscribed = false;
};
