#pragma once
#include <list>
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/ItemPanel.h"

// The place-the-items mini-game: the level's placed objects are the places, shown in the left
// picture; a copy of each waits in the item bar. The player carries an item (by dragging it, or by a
// click to pick it up and another to drop it) to the point 400 pixels right of its place; a drop
// within 20 pixels of it sends the item flying there, any other returns it to the bar. Every item
// placed wins (101), the clock running out loses (102); the count placed goes into float variable 13.
class CPlaceInBonusGameField : public CGameFieldBase {
public:
    static GF::THolder<CPlaceInBonusGameField> Create();
    ~CPlaceInBonusGameField() override;

    bool StartLevel(const std::string& levelName) override;
    void SetLevelLayout(GF::TAnimationPtr layout) override;
    void Update(const float& dt) override;
    void Init(GF::TAnimationPtr layout, GF::THolder<GF::IScreen> screen) override;
    // Clicks count only while the level is played.
    void OnKeyDown(int key) override;
    void OnKeyUp(int key) override;
    void FinishLevel() override;
    void ResetLevel() override;

    int32_t GetPlaced() const { return m_placed; }
    const GF::THolder<CCookObject>& GetHeldItem() const { return m_heldItem; }
    const std::list<GF::THolder<CCookObject>>& GetPlaces() const { return m_places; }
    const std::list<GF::THolder<CCookObject>>& GetItems() const { return m_items; }
    const CItemPanel& GetPanel() const { return m_panel; }
    bool IsPlaying() const { return m_step == &CPlaceInBonusGameField::UpdatePlay; }

private:
    using TStep = void (CPlaceInBonusGameField::*)(const float& dt);

    CPlaceInBonusGameField();
    void UpdateIntroWait(const float& dt);
    void UpdatePlay(const float& dt);
    void UpdateLevelClock(const float& dt);
    // The first ready, free item under the point; empty when none.
    GF::THolder<CCookObject> FindItemAt(const GF::TPoint<float>& point);
    bool TryPlace(const GF::THolder<CCookObject>& item);
    void PlaceItem(const GF::THolder<CCookObject>& item, const GF::TPoint<float>& target);
    void DropItem(const GF::THolder<CCookObject>& item);
    void StartOpeningParticles();

    TStep m_step = &CPlaceInBonusGameField::UpdateIntroWait;
    GF::THolder<CCookObject> m_heldItem;
    std::list<GF::THolder<CCookObject>> m_places;
    std::list<GF::THolder<CCookObject>> m_items;
    CItemPanel m_panel;
    GF::TPoint<float> m_dragOffset{0.0f, 0.0f};
    GF::TPoint<float> m_pressAt{0.0f, 0.0f};
    GF::TAnimationPtr m_itemBar;
    int32_t m_halfWidth = 400;
    int32_t m_placed = 0;
};
