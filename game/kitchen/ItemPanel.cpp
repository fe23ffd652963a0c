#include "game/kitchen/ItemPanel.h"

#include <algorithm>

#include "framework/scene/IAnimation.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"

namespace {

// Items wait here, below the screen, until the first slide brings them up.
constexpr GF::TPoint<float> kWaitingAt{400.0f, 700.0f};
constexpr int kBarLayerAbove = 100;
constexpr float kBarMargin = 10.0f;

int Width(const GF::TAnimationPtr& animation) {
    const GF::TRect box = animation->GetBoundingBox();
    return box.right - box.left;
}

}  // namespace

void CItemPanel::SetAnimation(const GF::TAnimationPtr& bar) {
    m_bar = bar;
    if (!m_bar) return;
    m_bar->Update(0.0f);
    const GF::TSubstitutedContainerPtr place(m_bar->FindDrawable("_item_place").Get());
    if (!place) {
        GameLog("item panel: the bar has no part \"_item_place\"");
        return;
    }
    m_anchor = {place->GetTransform().x, place->GetTransform().y};
}

void CItemPanel::AddItem(const GF::THolder<CCookObject>& item) {
    m_items.push_back(item);
    if (!item->GetAnimation()) return;
    item->GetAnimation()->SetLayer(GetGameData().overlayLayer + kBarLayerAbove);
    item->GetAnimation()->SetPosition(kWaitingAt);
}

void CItemPanel::RemoveItem(const GF::THolder<CCookObject>& item) {
    if (std::find(m_items.begin(), m_items.end(), item) == m_items.end()) return;
    m_items.remove(item);
    Relayout();
}

void CItemPanel::Relayout() {
    m_slideTime = 0.0f;
    float x = m_anchor.x;
    const float limit = m_bar ? static_cast<float>(m_bar->GetBoundingBox().right) - kBarMargin : 0.0f;
    m_fading.clear();
    for (const GF::THolder<CCookObject>& item : m_items) {
        const GF::TAnimationPtr& animation = item->GetAnimation();
        if (!animation) continue;
        const float w = static_cast<float>(Width(animation));
        if (x + w > limit) {
            item->SetShown(false);
        } else if (!animation->IsVisible()) {
            item->SetShown(true);
            animation->SetOpacity(0.0f);
            m_fading.push_back(animation);
        }
        x += w;
    }
}

void CItemPanel::Update(const float& dt) {
    const float total = static_cast<float>(GetGameData().fieldParams.slideTime) * 0.5f;
    if (m_slideTime >= total) return;
    m_slideTime += dt;
    if (m_slideTime > total) m_slideTime = total;
    float k = m_slideTime == total ? 1.0f : dt / (total - m_slideTime);
    if (k > 1.0f) k = 1.0f;
    for (const GF::TAnimationPtr& animation : m_fading) animation->SetOpacity(m_slideTime / total);
    float x = m_anchor.x;
    const float y = m_anchor.y;
    for (const GF::THolder<CCookObject>& item : m_items) {
        const GF::TAnimationPtr& animation = item->GetAnimation();
        if (!animation) continue;
        const GF::TRect box = animation->GetBoundingBox();
        const GF::TPoint<float> target{x + static_cast<float>((box.right - box.left) / 2), y};
        const GF::TPoint<float> p = animation->GetPosition();
        animation->SetPosition(p.x + (target.x - p.x) * k, p.y + (target.y - p.y) * k);
        animation->Update(0.0f);
        x += static_cast<float>(box.right - box.left);
    }
}
