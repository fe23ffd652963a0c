#pragma once
#include <list>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/scene/SceneFwd.h"
#include "game/kitchen/CookObject.h"

// The bar of items still to place in the place-the-items mini-game: the items stand in a row from the
// bar's "_item_place" to its right end; those that do not fit wait hidden. After each change of the
// row (Relayout) the items slide to their slots and newly shown ones fade in.
class CItemPanel {
public:
    // The bar; its "_item_place" is the left end of the row.
    void SetAnimation(const GF::TAnimationPtr& bar);
    // A new item waits below the screen, on the bar's layer band.
    void AddItem(const GF::THolder<CCookObject>& item);
    // Takes the item out of the row (and lays the row out again); an item not in it changes nothing.
    void RemoveItem(const GF::THolder<CCookObject>& item);
    void Relayout();
    // One frame of the slide.
    void Update(const float& dt);

    const std::list<GF::THolder<CCookObject>>& GetItems() const { return m_items; }

private:
    std::vector<GF::TAnimationPtr> m_fading;
    std::list<GF::THolder<CCookObject>> m_items;
    GF::TAnimationPtr m_bar;
    GF::TPoint<float> m_anchor{0.0f, 0.0f};
    float m_slideTime = 1e8f;
};
