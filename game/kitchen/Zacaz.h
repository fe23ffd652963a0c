#pragma once
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/LevelRecords.h"
#include "game/app/LibData.h"
#include "game/kitchen/DeliveryButton.h"

class CGameFieldBase;

// One customer at a table of the kitchen and the order it placed: a recipe whose items the heroine
// brings one after another, a mood that falls while the customer waits, bonus offers riding on the
// mood bar, and the points and tips paid when the order is served. The recipe panel makes it when
// the customer arrives and steps it every frame; the kitchen field and the actions ask it questions
// and change it. It also keeps its order sign: portrait, mood bar, rings, the recipe's title and,
// once open, the list of item icons and tabs, the work gauge and the reward texts.
class CZacaz : public GF::CRefCount {
public:
    // Customer kinds the order treats apart.
    static constexpr int32_t kBonusKind = 100;
    static constexpr int32_t kDuelPlayerKind = 101;
    static constexpr int32_t kDuelRivalKind = 102;
    static bool IsDuel(int32_t kind) { return kind == kDuelPlayerKind || kind == kDuelRivalKind; }
    // The item index SetItemWorking takes for "no item".
    static constexpr int kNoItem = 100;

    // Empty (logged) for a recipe the recipes table lacks, or without a field.
    static GF::THolder<CZacaz> Create(const COrderInfo& order, const GF::THolder<CGameFieldBase>& field);
    ~CZacaz() override;

    // --- The customer and the order ---
    // Per frame, before UpdatePatience: blink, points, mood, mood picture, buttons, tab scroll.
    void UpdateDisplay(const float& dt);
    // The low mood's fall (and, from closing time on, every mood of a customer without a bar); true
    // when the mood has run out.
    bool UpdatePatience(const float& dt);
    bool IsReadyToServe() const;
    // Whether the ingredient is what the current item needs now.
    bool CanUseIngredient(const CIngridientInfo& info) const;
    // The current item's index when it needs this ingredient now; -1 otherwise.
    int FindCurrentItem(const std::string& name) const;
    // The item this ingredient can be put in as; -1 when none.
    int FindItemToPut(const std::string& name) const;
    // The item's work is over: flagged and counted (counted even outside the items); a duel customer
    // pays the offer bound to it.
    void SetItemDone(int item);
    // The item has reached the order: flagged, counted as put, the list moves on; completion shows.
    void PutItem(int item);
    // Moves the current item past `finished` to the next item that needs work.
    void SelectNextItem(int finished);
    // Pays every open offer through the field.
    void GiveAllBonuses();
    // Drops the oldest bonus tab and the offer next to expire.
    void DropBonus();
    void ComputeReward(float& points, float& tips) const;
    // Shows the points and tips and adds both to the field's score.
    void ShowReward();
    // The owning field, or empty once detached.
    GF::THolder<CGameFieldBase> GetField() const { return m_field; }
    GF::TAnimationPtr GetSign() const { return m_sign; }
    GF::TAnimationPtr GetList() const { return m_list; }
    // Lets go of every animation and of the field; the customer is about to be dropped.
    void Detach();

    // --- The order sign ---
    void CreateSign();
    void CreateStatus();
    // Places the object over the mood bar at a fraction of the bar's width.
    void AttachToStatus(const GF::TAnimationPtr& object, float position);
    void CreatePortrait();
    void AdvanceMoodPicture();
    // 0 resting (asleep once the mood is low), 1 complete, 2 working, 3 work done while closed.
    void SetRingState(int state);
    void ShowRecipeTitle();
    // The served dish on the list's "_recept_place".
    void PlaceDish(const GF::TAnimationPtr& dish);
    void Open();
    void CreateTabs();
    void ShowItemIcon(int index, const CReceptItemInfo& item, bool needsWork, bool active, bool working);
    // A device starts (or stops) working on the item; kNoItem for none.
    void SetItemWorking(bool working, int item);
    void UpdateWorkProgress(const float& dt);
    void StrokeItem(int item);
    void StrikeLabel();
    void StartScroll(int tab);
    // Scrolls the list past the tab; nothing for an object that is not one of the list's.
    void RemoveTab(const GF::TAnimationPtr& tab);
    void UpdateScroll(const float& dt);
    // An item still to be brought, or -1.
    int FindNeededItem(bool includeCurrent, bool randomStart) const;

    // --- What the panel, the field and the actions read ---
    // Recipe item i; null outside the recipe.
    const CReceptItemInfo* GetItemRecord(int item) const;
    const CReceptInfo& GetRecipe() const { return *m_recipe; }
    const COrderInfo& GetOrder() const { return m_order; }
    int32_t GetKind() const { return m_kind; }
    int GetCurrentItem() const { return m_currentItem; }
    int GetItemCount() const { return m_itemCount; }
    int GetItemsDone() const { return m_itemsDone; }
    float GetMood() const { return m_mood; }
    bool IsOpen() const { return m_open; }
    bool IsBusy() const { return m_busy; }
    // Set by the recipe panel when the customer leaves (served or out of patience).
    bool IsLeaving() const { return m_leaving; }
    void SetLeaving() { m_leaving = true; }
    // The panel shows another customer: the open flag clears and the sign plays "_hide".
    void Close();
    const std::vector<GF::TAnimationPtr>& GetOfferIcons() const { return m_offerIcons; }
    const std::vector<GF::TAnimationPtr>& GetItemIcons() const { return m_itemIcons; }
    const std::vector<GF::TAnimationPtr>& GetTabs() const { return m_tabs; }
    GF::THolder<CDeliveryButton> GetDeliveryButton() const { return m_deliveryButton; }

private:
    CZacaz(const COrderInfo& order, const CReceptInfo& recipe, const GF::THolder<CGameFieldBase>& field);

    void AddOffer(const CLevelBonusEntry& entry);
    void PlaceOnStatus(const GF::TAnimationPtr& object, float position);
    // The counter rule of an offer that ends, paid or expired.
    void EndOffer();
    // Takes offer k with its icon out of both vectors.
    void RemoveOffer(std::size_t k);
    void PayItemOffer();
    void UpdateOffers();
    // The mood lowered by one step over `patience` seconds.
    void LowerMood(const float& dt, int32_t patience);
    void CompleteIfAllPut();
    void LayOutTab(const GF::TAnimationPtr& tab, float& y);
    void DropOldestBonusTab();
    int TabIndex(const GF::TAnimationPtr& tab) const;
    void UpdateScrollBy(const float& dt, bool toEnd);
    GF::TAnimationPtr MakeOnSignScene(const std::string& name);
    const CIngridientInfo* Ingredient(int item) const;
    bool IconVisible(int item) const;
    bool ItemNeedsWork(int item) const;
    bool MatchesCurrent(const CIngridientInfo& info, int count) const;

    int m_pictureStage = 0;
    std::vector<CLevelBonusEntry> m_offers;
    COrderInfo m_order;
    float m_readyReserve = 10000.0f;
    int m_itemsDone = 0;
    int32_t m_kind = 0;
    GF::THolder<CGameFieldBase> m_field;
    int m_currentItem = 0;
    bool m_rewardShown = false;
    bool m_angry = false;
    int32_t m_orderPatience = 0;
    int32_t m_waitingPatience = 0;
    bool m_busy = false;
    bool m_open = false;
    float m_moodBarLength = 0.0f;
    float m_mood = 1.0f;
    const CReceptInfo* m_recipe = nullptr;
    int32_t m_portraitNumber = 0;
    std::vector<bool> m_doneFlags;
    // One icon per open offer, in the offers' order.
    std::vector<GF::TAnimationPtr> m_offerIcons;
    // Whatever others place over the mood bar (the stop-timer's chains), let go by Detach.
    std::vector<GF::TAnimationPtr> m_statusObjects;
    std::list<GF::TAnimationPtr> m_bonusTabs;
    // Every tab of the list in laid-out order: item tabs, labels and bonus tabs.
    std::vector<GF::TAnimationPtr> m_tabs;
    std::vector<GF::TAnimationPtr> m_itemIcons;
    // The item tab of each item, empty where none could be made.
    std::vector<GF::TAnimationPtr> m_itemTabs;
    std::vector<GF::TAnimationPtr> m_labels;
    int m_strokeIndex = 0;
    GF::TAnimationPtr m_list;
    GF::TAnimationPtr m_moodBar;
    GF::TAnimationPtr m_sign;
    GF::TAnimationPtr m_portrait;
    GF::TAnimationPtr m_rewardText;
    GF::TAnimationPtr m_dish;
    GF::TAnimationPtr m_workProgress;
    GF::TAnimationPtr m_frame;
    float m_scrollDistance = 0.0f;
    int m_scrollIndex = 0;
    float m_scrollTime = 0.0f;
    int m_itemCount = 0;
    int m_itemsPut = 0;
    GF::TSubstitutedContainerPtr m_itemPlace;
    bool m_detached = false;
    float m_workGaugeLength = 0.0f;
    float m_workGaugeRate = 0.0f;
    float m_workGaugeTime = 0.0f;
    std::list<int> m_scrollQueue;
    int m_lastVisibleTab = 0;
    GF::THolder<CDeliveryButton> m_deliveryButton;
    bool m_lowMood = false;
    float m_pointsShown = 0.0f;
    std::vector<float> m_scrollDistances;
    float m_blinkTimer = 0.0f;
    std::string m_blinkPhase;
    float m_tabOffset = 0.0f;
    bool m_leaving = false;
};
