#include "game/kitchen/Zacaz.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/Hge.h"
#include "framework/core/Random.h"
#include "framework/gui/LayoutItem.h"
#include "framework/scene/IScene.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "framework/scene/ITextSprite.h"
#include "game/app/FilterSpriteManager.h"
#include "game/app/GameData.h"
#include "game/app/GameLog.h"
#include "game/app/GameSounds.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/app/ResourceText.h"
#include "game/app/TruncateToInt.h"
#include "game/kitchen/GameFieldBase.h"
#include "game/kitchen/GameScene.h"

using GF::TAnimationPtr;
using GF::THolder;
using GF::HGENS::HostedAnimation;

namespace {

// Below this mood only the low-mood step lowers it (and only while the panel lets patience run).
constexpr float kLowMood = 0.225f;
constexpr float kAngryMood = 0.2f;
constexpr float kSecondPicture = 0.625f;
constexpr float kThirdPicture = 0.275f;
// An offer needs this much level time left, and its icon starts hiding this long before it expires.
constexpr float kOfferTimeLeftMs = 10000.0f;
constexpr float kOfferHideSeconds = 5.0f;
constexpr int kOrderCompleteSound = 15;
// The player's float variable that holds the level's outcome; a duel is over once it is set.
constexpr int32_t kOutcomeVariable = 5;
constexpr float kTabX = 35.0f;
constexpr float kFirstTabY = -15.0f;
constexpr uint32_t kLabelColour = 0xFF880000;
constexpr uint32_t kDimLabelColour = 0xFF999999;
constexpr uint32_t kBonusTabColour = 0xFF00BB00;
constexpr float kFinishedStrokeSpeed = 3.0f;
constexpr float kRewardShowStep = 10.0f;
constexpr int kSignLayerAboveOverlay = 100;
constexpr int kOfferIconLayer = 1000;

GF::TSubstitutedContainerPtr Place(const TAnimationPtr& animation, const char* name) {
    return GF::TSubstitutedContainerPtr(animation ? animation->FindDrawable(name).Get() : nullptr);
}

// The object follows the place, standing where the place is plus its present offset.
void AttachTo(const TAnimationPtr& object, const GF::TSubstitutedContainerPtr& place) {
    if (object && place) object->SetContainer(place, true);
}

std::string OneDecimal(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

void SetTextColour(const TAnimationPtr& animation, const char* name, uint32_t colour) {
    const GF::TTextSpritePtr text(animation ? animation->FindDrawable(name).Get() : nullptr);
    if (text) text->SetColor(colour);
}

const CBonusInfo* FindBonus(int32_t id) {
    const auto& table = GetLevelsData().Bonuses;
    const auto it = table.find(id);
    return it == table.end() ? nullptr : &it->second;
}

}  // namespace

THolder<CZacaz> CZacaz::Create(const COrderInfo& order, const THolder<CGameFieldBase>& field) {
    if (!field) {
        GameLog("CZacaz::Create: no field for the order of \"%s\"", order.Recept.c_str());
        return {};
    }
    const auto& recipes = GetLevelsData().Recepts;
    const auto recipe = recipes.find(order.Recept);
    if (recipe == recipes.end()) {
        GameLog("CZacaz::Create: no recipe \"%s\"; the customer stays away", order.Recept.c_str());
        return {};
    }
    return THolder<CZacaz>(new CZacaz(order, recipe->second, field));
}

CZacaz::CZacaz(const COrderInfo& order, const CReceptInfo& recipe, const THolder<CGameFieldBase>& field)
    : m_order(order), m_kind(order.Kind), m_field(field), m_recipe(&recipe) {
    const CGameData& data = GetGameData();
    m_tabOffset = data.zacazParams.tabOffset;
    CreateSign();
    m_orderPatience = order.PatienceSeconds;
    m_waitingPatience = order.WaitSeconds;
    m_portraitNumber = order.Portrait;
    if (m_sign) {
        m_sign->SetLayer(data.overlayLayer + kSignLayerAboveOverlay);
        m_sign->SetRotation(0.0f);
        m_sign->SetPosition(data.zacazParams.signX, data.zacazParams.signY);
        m_sign->SetVisible(true);
        m_sign->Play("_idle", 0, false);
        m_sign->Update(0.0f);
    }
    m_list = HostedAnimation(m_sign, "_list");
    ShowRecipeTitle();
    if (m_list) {
        m_list->ShowTime(0.0f);
        m_list->SetVisible(false);
    }
    m_rewardText = HostedAnimation(m_sign, "_many");
    if (m_rewardText) m_rewardText->SetVisible(false);
    m_itemCount = static_cast<int>(recipe.Items.size());
    m_doneFlags.assign(recipe.Items.size(), false);
    CreateStatus();
    CreatePortrait();
    AdvanceMoodPicture();
    if (const TAnimationPtr delivery = HostedAnimation(m_sign, "_item_delivery")) {
        m_deliveryButton = CDeliveryButton::Create(delivery, true);
        if (m_deliveryButton) m_deliveryButton->SetEnabled(false);
        delivery->Stop();
    }
    SetRingState(0);
    float tips = 0.0f;
    ComputeReward(m_pointsShown, tips);
    if (m_sign) m_sign->SetText("_points", GF::Utf8ToUtf16(OneDecimal(m_pointsShown)));
}

CZacaz::~CZacaz() {
    Detach();
}

// --- The customer and the order ---

void CZacaz::UpdateDisplay(const float& dt) {
    if (m_portrait && m_portrait->IsFinished()) {
        if (m_blinkTimer <= 0.0f) {
            m_blinkTimer = static_cast<float>(GF::Rand() % 4000) + 3000.0f;
            m_portrait->Play(m_blinkPhase.c_str(), 0, false);
        } else {
            m_blinkTimer -= dt;
        }
    }
    if (m_sign) {
        if (m_kind == kBonusKind) {
            // The hand-over counts one more done than the items: the card never goes below none.
            m_sign->SetTextNumber("_points", std::max(0, m_itemCount - m_itemsDone));
        } else {
            float target = 0.0f, tips = 0.0f;
            ComputeReward(target, tips);
            target = std::trunc(target * 10.0f) / 10.0f;
            if (target != m_pointsShown && dt != 0.0f) {
                if (target > 9.88f && target < 10.0f) target = 10.0f;
                const float d = target - m_pointsShown;
                if (d != 0.0f) m_pointsShown += std::copysign(std::min(std::fabs(d), dt * 0.01f), d);
                m_sign->SetText("_points", GF::Utf8ToUtf16(OneDecimal(m_pointsShown)));
            }
        }
    }
    if (m_moodBar && m_itemsDone < m_itemCount + 1) {
        if (m_mood > kLowMood) LowerMood(dt, m_open ? m_orderPatience : m_waitingPatience);
        m_moodBar->ShowTime((1.0f - m_mood) * m_moodBarLength);
        UpdateOffers();
    }
    if ((m_mood <= kSecondPicture && m_pictureStage <= 1) || (m_mood <= kThirdPicture && m_pictureStage <= 2))
        AdvanceMoodPicture();
    if (!m_angry && m_mood < kAngryMood) m_angry = true;
    if (m_deliveryButton && m_deliveryButton->IsEnabled()) {
        m_deliveryButton->Update(dt);
        if (m_busy || m_detached) m_deliveryButton->SetEnabled(false);
    }
    if (m_scrollTime > 0.0f && m_open && m_sign && m_sign->IsFinished()) UpdateScroll(dt);
}

// Only the mood bar's fall brings a customer down to the low mood: a customer without a bar (the
// bonus customer, the duel's, any other kind without one) keeps its mood and never leaves by
// impatience; the level waits for it to be served.
bool CZacaz::UpdatePatience(const float& dt) {
    if (m_mood <= kLowMood && m_itemsDone < m_itemCount + 1) {
        LowerMood(dt, m_orderPatience);
        if (!m_lowMood) {
            m_lowMood = true;
            SetRingState(0);
        }
    }
    return m_mood <= 0.0f;
}

// Patience of 0 or less empties the mood at once rather than dividing by it; a held patience factor
// holds every mood.
void CZacaz::LowerMood(const float& dt, int32_t patience) {
    const float factor = GetGameData().bonusParams.patienceFactor;
    if (factor == 0.0f || std::isnan(factor)) return;
    if (patience <= 0)
        m_mood = 0.0f;
    else
        m_mood -= dt * factor / (static_cast<float>(patience) * 1000.0f);
    if (!(m_mood > 0.0f)) m_mood = 0.0f;
    if (m_mood > 1.0f) m_mood = 1.0f;
}

bool CZacaz::IsReadyToServe() const {
    return m_readyReserve > 0.0f && !m_busy && m_open && m_itemsDone == m_itemCount &&
           (m_currentItem != m_itemCount - 1 || m_itemsPut == m_itemCount);
}

const CReceptItemInfo* CZacaz::GetItemRecord(int item) const {
    if (item < 0 || item >= m_itemCount) return nullptr;
    return &m_recipe->Items[static_cast<std::size_t>(item)];
}

const CIngridientInfo* CZacaz::Ingredient(int item) const {
    const CReceptItemInfo* record = GetItemRecord(item);
    return record ? GetLibData().FindIngridient(record->Name) : nullptr;
}

bool CZacaz::IconVisible(int item) const {
    if (item < 0 || static_cast<std::size_t>(item) >= m_itemIcons.size()) return false;
    const TAnimationPtr& icon = m_itemIcons[static_cast<std::size_t>(item)];
    return icon && icon->IsVisible();
}

bool CZacaz::ItemNeedsWork(int item) const {
    const CReceptItemInfo* record = GetItemRecord(item);
    return record && record->Value != 0;
}

// The current item needs this ingredient now, counting the items by `count` (done or put).
bool CZacaz::MatchesCurrent(const CIngridientInfo& info, int count) const {
    const CReceptItemInfo* item = GetItemRecord(m_currentItem);
    return item && info.Kind != 0 && m_currentItem == count && !m_busy &&
           MatchesReceptItem(info, *item, GetLibData()) && IconVisible(m_currentItem) &&
           !m_doneFlags[static_cast<std::size_t>(m_currentItem)];
}

bool CZacaz::CanUseIngredient(const CIngridientInfo& info) const {
    const CReceptItemInfo* item = GetItemRecord(m_currentItem);
    return item && info.Kind != 0 && MatchesReceptItem(info, *item, GetLibData()) &&
           IconVisible(m_currentItem) && !m_doneFlags[static_cast<std::size_t>(m_currentItem)];
}

int CZacaz::FindCurrentItem(const std::string& name) const {
    const CIngridientInfo* info = GetLibData().FindIngridient(name);
    return info && MatchesCurrent(*info, m_itemsDone) ? m_currentItem : -1;
}

int CZacaz::FindItemToPut(const std::string& name) const {
    const CIngridientInfo* info = GetLibData().FindIngridient(name);
    if (!info) return -1;
    if (MatchesCurrent(*info, m_itemsPut)) return m_currentItem;
    if (info->Kind != 0) return -1;
    for (int i = 0; i < std::min(m_currentItem, m_itemCount); ++i)
        if (!m_doneFlags[static_cast<std::size_t>(i)] && GetItemRecord(i)->Name == name && IconVisible(i))
            return i;
    return -1;
}

void CZacaz::SetItemDone(int item) {
    if (item >= 0 && static_cast<std::size_t>(item) < m_doneFlags.size())
        m_doneFlags[static_cast<std::size_t>(item)] = true;
    ++m_itemsDone;
    if (IsDuel(m_kind)) PayItemOffer();
}

void CZacaz::PutItem(int item) {
    if (item < 0 || item >= m_itemCount) return;
    m_doneFlags[static_cast<std::size_t>(item)] = true;
    ++m_itemsPut;
    if (static_cast<std::size_t>(item) < m_itemTabs.size())
        RemoveTab(m_itemTabs[static_cast<std::size_t>(item)]);
    if (ItemNeedsWork(item)) {
        StrikeLabel();
        SelectNextItem(item);
    } else if (m_itemsPut == m_currentItem && m_currentItem < m_itemCount) {
        ShowItemIcon(m_currentItem, *GetItemRecord(m_currentItem), ItemNeedsWork(m_currentItem), true, false);
    }
    // Serving a bonus customer may let it go at once: keep it alive until the end of this call.
    const THolder<CZacaz> self(this);
    CompleteIfAllPut();
    StrokeItem(item);
}

void CZacaz::CompleteIfAllPut() {
    if (m_itemsPut != m_itemCount) return;
    PlayGameSound(kOrderCompleteSound);
    SetRingState(1);
    if (m_kind == kBonusKind) {
        if (m_field) m_field->ServeCustomer(THolder<CZacaz>(this));
        return;
    }
    if (!(m_kind == kDuelPlayerKind && GetCurrentPlayer().floatVars[kOutcomeVariable] != 0.0f)) {
        if (m_deliveryButton) m_deliveryButton->SetEnabled(true);
        if (m_open && !m_busy && m_kind != kDuelRivalKind && m_field)
            if (const THolder<CDeliveryButton> button = m_field->GetDeliveryButton())
                button->SetEnabled(true);
    }
    StrikeLabel();
}

void CZacaz::SelectNextItem(int finished) {
    m_currentItem = m_itemCount;
    for (int i = std::max(finished + 1, 0); i < m_itemCount; ++i) {
        const CReceptItemInfo& item = *GetItemRecord(i);
        if (item.Value == 0) {
            ShowItemIcon(i, item, false, true, false);
            continue;
        }
        m_currentItem = i;
        if (i == finished + 1) ShowItemIcon(i, item, true, true, false);
        break;
    }
}

// --- Bonus offers ---

void CZacaz::AddOffer(const CLevelBonusEntry& entry) {
    const CBonusInfo* bonus = FindBonus(entry.BonusId);
    if (!bonus) {
        GameLog("CZacaz: no bonus %d to offer", entry.BonusId);
        return;
    }
    const THolder<GF::IScene> scene = GetGameScene();
    const TAnimationPtr icon = scene ? scene->CreateAnimation(bonus->AnimationName) : TAnimationPtr();
    if (!icon) {
        GameLog("CZacaz: no icon \"%s\" for bonus %d; not offered", bonus->AnimationName.c_str(),
                entry.BonusId);
        return;
    }
    m_offers.push_back(entry);
    icon->SetLayer(kOfferIconLayer);
    icon->Play("_show", 0, false);
    if (IsDuel(m_kind)) {
        // Paid by item and shown only then; until then it has no place on the sign.
        icon->SetVisible(false);
    } else {
        // With no patience the offer is as good as expired: its icon stands at the bar's left end.
        const float position = m_orderPatience > 0 ? entry.Time / static_cast<float>(m_orderPatience) : 0.0f;
        PlaceOnStatus(icon, position);
    }
    m_offerIcons.push_back(icon);
    int32_t& counter = m_field->OfferCounter();
    const float left = m_field->GetLevel()->Duration - m_field->GetElapsed();
    counter = (left < kOfferTimeLeftMs ? 1 : counter) + 1;
}

void CZacaz::EndOffer() {
    if (!m_field) return;
    const CLevelInfo* level = m_field->GetLevel();
    const float left = level ? level->Duration - m_field->GetElapsed() : 0.0f;
    int32_t& counter = m_field->OfferCounter();
    counter = (left < kOfferTimeLeftMs ? 1 : counter) - 1;
}

void CZacaz::RemoveOffer(std::size_t k) {
    if (k < m_offerIcons.size()) m_offerIcons.erase(m_offerIcons.begin() + static_cast<std::ptrdiff_t>(k));
    if (k < m_offers.size()) m_offers.erase(m_offers.begin() + static_cast<std::ptrdiff_t>(k));
}

void CZacaz::UpdateOffers() {
    if (m_offers.empty()) return;
    const float waited = (1.0f - m_mood) * static_cast<float>(m_orderPatience);
    const CLevelBonusEntry& last = m_offers.back();
    const TAnimationPtr icon = m_offerIcons.back();
    if (last.Time < waited + kOfferHideSeconds && icon && icon->IsFinished()) icon->Play("_hide", -1, false);
    if (last.Time < waited) {
        EndOffer();
        if (icon) icon->Reset();
        RemoveOffer(m_offers.size() - 1);
    }
}

void CZacaz::GiveAllBonuses() {
    const std::vector<CLevelBonusEntry> offers = m_offers;
    const std::vector<TAnimationPtr> icons = m_offerIcons;
    m_offers.clear();
    m_offerIcons.clear();
    for (std::size_t k = 0; k < offers.size(); ++k) {
        EndOffer();
        const CBonusInfo* bonus = FindBonus(offers[k].BonusId);
        if (!bonus || !m_field) continue;
        if (icons[k]) icons[k]->SetContainer({}, false);  // off the sign, where it stands
        m_field->AddBonus(*bonus, icons[k], THolder<CZacaz>(this));
    }
}

void CZacaz::PayItemOffer() {
    const float item = static_cast<float>(m_itemsDone - 1);
    const auto offer = std::find_if(m_offers.begin(), m_offers.end(),
                                    [item](const CLevelBonusEntry& entry) { return entry.Time == item; });
    if (offer == m_offers.end()) return;
    const std::size_t k = static_cast<std::size_t>(offer - m_offers.begin());
    EndOffer();
    const CBonusInfo* bonus = FindBonus(offer->BonusId);
    const TAnimationPtr icon = m_offerIcons[k];
    DropOldestBonusTab();
    RemoveOffer(k);
    if (!bonus || !m_field) return;
    if (icon) icon->SetVisible(true);
    m_field->AddBonus(*bonus, icon, THolder<CZacaz>(this));
}

void CZacaz::DropOldestBonusTab() {
    if (m_bonusTabs.empty()) return;
    const TAnimationPtr tab = m_bonusTabs.front();
    if (tab) tab->SetOpacity(0.0f);
    RemoveTab(tab);
    m_bonusTabs.pop_front();
}

void CZacaz::DropBonus() {
    DropOldestBonusTab();
    if (m_offers.empty()) return;
    EndOffer();
    if (const TAnimationPtr icon = m_offerIcons.back()) icon->Reset();
    RemoveOffer(m_offers.size() - 1);
}

// --- Reward ---

void CZacaz::ComputeReward(float& points, float& tips) const {
    points = m_mood * 7.0f + 3.0f;
    tips = 0.0f;
    if (m_recipe)
        tips =
            m_recipe->Tips != 0 ? static_cast<float>(m_recipe->Tips) : static_cast<float>(m_itemCount) * 0.5f;
    points *= GetGameData().bonusParams.qualityFactor;
}

void CZacaz::ShowReward() {
    float points = 0.0f, tips = 0.0f;
    ComputeReward(points, tips);
    m_rewardShown = true;
    if (m_rewardText) {
        m_rewardText->SetText("_many", ResourceText("bals") + u" " + GF::Utf8ToUtf16(OneDecimal(points)));
        m_rewardText->SetText(
            "_tips",
            tips != 0.0f ? ResourceText("tips_many") + u" " + GF::Utf8ToUtf16(OneDecimal(tips)) : u" ");
        if (m_open) m_rewardText->SetVisible(true);
        m_rewardText->Play("_show", 0, false);
        m_rewardText->Update(kRewardShowStep);
    }
    if (m_field) m_field->AddScore(points + tips);
}

// Every object the order placed on its sign leaves the scene with it, so that a sign thrown away or
// a level ended leaves nothing behind; the objects of others riding on the mood bar are only let go.
void CZacaz::Detach() {
    m_detached = true;
    const auto unlink = [](TAnimationPtr& animation) {
        if (animation) animation->Reset();
        animation.Reset();
    };
    m_list.Reset();
    unlink(m_portrait);
    unlink(m_dish);
    for (TAnimationPtr& tab : m_tabs) unlink(tab);
    for (TAnimationPtr& tab : m_itemTabs) tab.Reset();
    for (TAnimationPtr& icon : m_itemIcons) icon.Reset();
    for (TAnimationPtr& label : m_labels) label.Reset();
    m_bonusTabs.clear();
    unlink(m_workProgress);
    m_field.Reset();
    unlink(m_moodBar);
    unlink(m_frame);
    for (TAnimationPtr& icon : m_offerIcons) unlink(icon);
    m_statusObjects.clear();
    m_rewardText.Reset();
    m_itemPlace.Reset();
    m_deliveryButton.Reset();
}

// --- The order sign ---

TAnimationPtr CZacaz::MakeOnSignScene(const std::string& name) {
    const THolder<GF::IScene> scene = m_sign ? m_sign->GetScene() : THolder<GF::IScene>();
    const TAnimationPtr made = scene ? scene->CreateAnimation(name) : TAnimationPtr();
    if (!made) GameLog("CZacaz: no \"%s\" for the order sign", name.c_str());
    return made;
}

void CZacaz::CreateSign() {
    const char* name = m_kind == kBonusKind        ? "bonus.zakaz_bonus"
                       : m_kind == kDuelPlayerKind ? "interfaces.zakaz_2"
                       : m_kind == kDuelRivalKind  ? "interfaces.zakaz_3"
                                                   : "interfaces.zakaz";
    const THolder<GF::IScene> scene = GetGameScene();
    m_sign = scene ? scene->CreateAnimation(name) : TAnimationPtr();
    if (!m_sign) GameLog("CZacaz: no order sign \"%s\"", name);
    if (m_kind == kBonusKind) m_tabOffset = GetGameData().zacazParams.bonusTabOffset;
}

void CZacaz::CreateStatus() {
    const bool bar = m_kind == 0 || m_kind == 3 || m_kind == 4;
    const bool frame = m_kind == 3 || m_kind == 4 || IsDuel(m_kind);
    if (bar) m_moodBar = MakeOnSignScene("interfaces.progress_new");
    if (frame) {
        const THolder<GF::IScene> scene = GetGameScene();
        m_frame = scene ? scene->CreateAnimation("interfaces.ramka_1") : TAnimationPtr();
    }
    if (m_moodBar) {
        AttachTo(m_moodBar, Place(m_sign, "_status"));
        m_moodBar->Play("all", 0, false);
        m_moodBarLength = m_moodBar->GetEndTime();
        m_moodBar->Update(0.0f);
        m_moodBar->ShowTime(0.0f);
    }
    if (m_field && m_field->GetLevel()) {
        const CLevelInfo& level = *m_field->GetLevel();
        const float left = level.Duration - m_field->GetElapsed();
        std::size_t count = 0;
        if (IsDuel(m_kind))
            count = level.Bonuses.size();
        else if (left >= kOfferTimeLeftMs && m_field->OfferCounter() <= 0 && !level.Bonuses.empty())
            count = 1;
        for (std::size_t i = 0; i < count; ++i)
            if (const CLevelBonusEntry* entry = m_field->PickLevelBonus()) AddOffer(*entry);
    }
    if (m_frame) {
        AttachTo(m_frame, Place(m_sign, "_pers_place"));
        if (m_sign) m_sign->SetChildVisible("_header", false);
    }
}

void CZacaz::AttachToStatus(const TAnimationPtr& object, float position) {
    if (IsDuel(m_kind) || !object) return;
    PlaceOnStatus(object, position);
    m_statusObjects.push_back(object);
}

void CZacaz::PlaceOnStatus(const TAnimationPtr& object, float position) {
    AttachTo(object, Place(m_sign, "_status"));
    if (!m_moodBar) return;
    m_moodBar->ApplyTransform();
    const GF::TDrawablePtr bar = m_moodBar->GetDrawable(0);
    if (!bar) return;
    const GF::TRect box = bar->GetBoundingBox();
    const float width = static_cast<float>(box.right) - static_cast<float>(box.left);
    object->SetX(static_cast<float>(TruncateToInt(static_cast<float>(box.left) + position * width)));
}

void CZacaz::CreatePortrait() {
    if (m_kind == kBonusKind || !m_sign) return;
    const THolder<GF::IScene> scene = m_sign->GetScene();
    if (!scene) return;
    m_portrait = scene->CreateAnimation("interfaces.judge_" + std::to_string(m_portraitNumber));
    if (!m_portrait) m_portrait = scene->CreateAnimation("interfaces.pers_1");
    AttachTo(m_portrait, Place(m_sign, "_pers_place"));
}

void CZacaz::AdvanceMoodPicture() {
    const TAnimationPtr fon = HostedAnimation(m_sign, "_fon");
    if (!fon) return;
    ++m_pictureStage;
    const std::string phase = "_part_" + std::to_string(m_pictureStage);
    fon->Play(phase.c_str(), 0, false);
    if (m_pictureStage <= 3 && m_portrait) {
        m_blinkPhase = phase;
        m_portrait->Play(phase.c_str(), 0, false);
    }
}

void CZacaz::SetRingState(int state) {
    const char* phase = state == 0   ? (m_lowMood ? "_bed" : "_idle")
                        : state == 1 ? "_work_end_2"
                        : state == 3 ? "_work_end"
                                     : nullptr;
    if (!phase) return;
    for (const char* ring : {"_ring_3", "_ring_2"})
        if (const TAnimationPtr part = HostedAnimation(m_sign, ring)) part->Play(phase, 0, false);
}

void CZacaz::ShowRecipeTitle() {
    if (m_sign) m_sign->SetText("_recept", m_recipe->Title);
}

void CZacaz::PlaceDish(const TAnimationPtr& dish) {
    m_dish = dish;
    if (!dish) return;
    dish->SetLayer(0);
    dish->SetPosition(0.0f, 0.0f);
    AttachTo(dish, Place(m_list, "_recept_place"));
}

void CZacaz::Close() {
    m_open = false;
    if (m_sign) m_sign->Play("_hide", 0, false);
}

void CZacaz::Open() {
    if (m_open) return;
    if (!m_deliveryButton || !m_deliveryButton->IsEnabled()) SetRingState(0);
    if (m_sign) m_sign->Play("_show", 0, false);
    if (m_scrollTime > 0.0f) {
        if (m_sign) {
            m_sign->Stop();
            m_sign->Update(0.0f);
        }
        for (const TAnimationPtr& tab : m_tabs)
            if (tab) {
                tab->Stop();
                tab->Update(0.0f);
            }
        while (m_scrollTime > 0.0f) {
            const float left = m_scrollTime;
            UpdateScrollBy(left, true);
        }
        if (m_sign) {
            m_sign->Update(0.0f);
            m_sign->Play("_show", 0, false);
        }
    }
    if (m_sign) m_sign->Update(0.0f);
    m_open = true;
    if (m_itemIcons.empty()) {
        if (m_list) m_list->SetVisible(true);
        CreateTabs();
    }
    if (m_rewardText) m_rewardText->SetVisible(m_rewardShown);
    if (m_workProgress && !m_busy) {
        m_workProgress->Play("_hide_2", 1, true);
        m_workProgress.Reset();
    }
}

void CZacaz::CreateTabs() {
    const CZacazParams& params = GetGameData().zacazParams;
    m_currentItem = m_itemCount;
    m_itemIcons.assign(static_cast<std::size_t>(m_itemCount), TAnimationPtr());
    m_itemTabs.assign(static_cast<std::size_t>(m_itemCount), TAnimationPtr());
    m_itemPlace = Place(m_list, "_item_place");
    if (m_list) m_list->Update(0.0f);
    float y = kFirstTabY;
    int labelNumber = 1;
    const float iconSize = static_cast<float>(params.iconSize);
    for (int i = 0; i < m_itemCount; ++i) {
        const CReceptItemInfo& item = *GetItemRecord(i);
        const TAnimationPtr tab = MakeOnSignScene("interfaces.item");
        const CIngridientInfo* info = Ingredient(i);
        const GF::TSubstitutedContainerPtr place = Place(tab, "_icon_place");
        TAnimationPtr icon;
        if (!info || info->IconName.empty()) {
            GameLog("CZacaz: no icon for the item \"%s\"", item.Name.c_str());
        } else if (place) {
            // In the tab, so that the icon shows and hides with it; its shadow under it.
            place->Substitute("interfaces.icon_shadow");
            icon = place->Substitute(info->IconName);
            if (!icon) GameLog("CZacaz: no icon \"%s\"", info->IconName.c_str());
        }
        if (icon) {
            icon->Play("_idle", 0, false);
            icon->Update(0.0f);
            const GF::TRect box = icon->GetBoundingBox();
            const float width = static_cast<float>(box.right - box.left);
            const float height = static_cast<float>(box.bottom - box.top);
            float scale = iconSize / (width + 2.0f);
            if (height * scale > iconSize * 1.3f && height > 0.0f) scale = iconSize * 1.3f / height;
            icon->SetScale(scale, scale);
        }
        const bool needsWork = item.Value != 0;
        if (needsWork) m_currentItem = std::min(m_currentItem, i);
        const bool active = i <= m_currentItem;
        m_itemIcons[static_cast<std::size_t>(i)] = icon;
        ShowItemIcon(i, item, needsWork, active, false);
        if (tab) {
            tab->Play("_idle", 0, false);
            m_itemTabs[static_cast<std::size_t>(i)] = tab;
            LayOutTab(tab, y);
        }
        if (needsWork && m_kind != kBonusKind) {
            if (const TAnimationPtr label = MakeOnSignScene("interfaces.zakladka")) {
                label->Play("_idle", 0, false);
                label->SetTextNumber("_text", labelNumber++);
                SetTextColour(label, "_text",
                              active && m_kind != kDuelRivalKind ? kLabelColour : kDimLabelColour);
                m_labels.push_back(label);
                LayOutTab(label, y);
            }
        }
        if (!IsDuel(m_kind)) continue;
        for (auto offer = m_offers.rbegin(); offer != m_offers.rend(); ++offer) {
            if (offer->Time != static_cast<float>(i)) continue;
            const TAnimationPtr bonusTab = MakeOnSignScene("interfaces.zakladka");
            if (!bonusTab) continue;
            bonusTab->Play("_idle", 0, false);
            bonusTab->SetText("_text", ResourceText("bonus_name_" + std::to_string(offer->BonusId)));
            SetTextColour(bonusTab, "_text", kBonusTabColour);
            m_bonusTabs.push_back(bonusTab);
            LayOutTab(bonusTab, y);
        }
    }
}

void CZacaz::LayOutTab(const TAnimationPtr& tab, float& y) {
    tab->SetPosition(0.0f, 0.0f);
    tab->Update(0.0f);
    const GF::TRect box = tab->GetBoundingBox();
    AttachTo(tab, m_itemPlace);
    const float placeX = m_itemPlace ? m_itemPlace->GetTransform().x : 0.0f;
    const float placeY = m_itemPlace ? m_itemPlace->GetTransform().y : 0.0f;
    tab->SetPosition(placeX + kTabX, placeY + y - static_cast<float>(box.top));
    tab->Update(0.0f);
    const float height = static_cast<float>(box.bottom - box.top);
    m_tabs.push_back(tab);
    m_scrollDistances.push_back(height);
    y += height;
    if (y > m_tabOffset) {
        tab->Play("_stroke", 0, false);
        tab->Stop();
        tab->SetVisible(false);
    } else {
        m_lastVisibleTab = static_cast<int>(m_tabs.size()) - 1;
    }
}

void CZacaz::ShowItemIcon(int index, const CReceptItemInfo& item, bool needsWork, bool active, bool working) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_itemIcons.size()) return;
    const TAnimationPtr& icon = m_itemIcons[static_cast<std::size_t>(index)];
    if (!icon) return;
    (void)item;
    const CZacazParams& params = GetGameData().zacazParams;
    const int32_t colour = !active || m_kind == kDuelRivalKind ? params.inactiveColour
                           : !needsWork                        ? params.readyColour
                           : working                           ? params.workingColour
                                                               : params.iconColour;
    const GF::TSpritePtr sprite(icon->GetDrawable(0).Get());
    if (!sprite) return;
    sprite->SetColorAndBlend(static_cast<uint32_t>(colour), BLEND_DEFAULT);
    if (working) return;
    icon->Update(0.0f);
    sprite->ShowSprite({});
    if (active) return;
    // The grey sheet mirrors the icon sheet: the grey cell is where the icon's own picture lies.
    const THolder<GF::HGENS::CHGESprite> own = sprite->GetShownSprite();
    const CFrameGridInfo* grid = GetLibData().FindFrameGrid("gray");
    if (!own || !grid || grid->CellWidth <= 0 || grid->CellHeight <= 0) return;
    const int column = TruncateToInt(own->tx) / grid->CellWidth;
    const int row = TruncateToInt(own->ty) / grid->CellHeight;
    const THolder<GF::HGENS::CHGESprite> grey =
        CFilterSpriteManager::GetInstance()->GetSprite("gray", row * grid->Columns() + column);
    if (grey) sprite->ShowSprite(grey);
}

void CZacaz::SetItemWorking(bool working, int item) {
    if (m_busy == working) return;
    m_busy = working;
    if (item == kNoItem && m_deliveryButton) m_deliveryButton->SetEnabled(false);
    const CReceptItemInfo* record = GetItemRecord(item);
    if (working && record) {
        const TAnimationPtr& icon = m_itemIcons.size() > static_cast<std::size_t>(item)
                                        ? m_itemIcons[static_cast<std::size_t>(item)]
                                        : TAnimationPtr();
        if (icon) {
            icon->Play("_work", 0, false);
            icon->Update(0.0f);
        }
        m_workProgress = MakeOnSignScene("interfaces.icon_fon");
        if (!m_workProgress) return;
        const CIngridientInfo* info = Ingredient(item);
        if (const GF::TSubstitutedContainerPtr inside = Place(m_workProgress, "_icon_place"); inside && info)
            if (const TAnimationPtr visual = inside->Substitute(info->IconName))
                visual->Play("_work", 0, false);
        m_workProgress->Play("_show", 0, false);
        m_workGaugeLength = m_workProgress->GetEndTime();
        const float workMs = static_cast<float>(record->Value) * GetGameData().bonusParams.cookFactor;
        // Work that takes no time fills the gauge at once.
        m_workGaugeRate = workMs > 0.0f ? m_workGaugeLength / workMs : 0.0f;
        m_workGaugeTime = workMs > 0.0f ? 0.0f : m_workGaugeLength;
        AttachTo(m_workProgress, Place(m_sign, "_icon_place"));
        m_workProgress->ShowTime(m_workGaugeTime);
        SetRingState(2);
        ShowItemIcon(item, *record, true, true, true);
        return;
    }
    if (working) return;
    if (m_open && m_workProgress) {
        SetRingState(0);
        m_workProgress->Play("_hide_2", 1, true);
        m_workProgress.Reset();
    } else {
        SetRingState(3);
        if (m_workProgress) m_workProgress->Play("_blink", 1, false);
    }
}

void CZacaz::UpdateWorkProgress(const float& dt) {
    if (!m_workProgress) return;
    m_workGaugeTime = std::min(m_workGaugeTime + m_workGaugeRate * dt, m_workGaugeLength);
    m_workProgress->ShowTime(m_workGaugeTime);
}

void CZacaz::StrokeItem(int item) {
    if (item < 0 || static_cast<std::size_t>(item) >= m_itemIcons.size()) return;
    const TAnimationPtr& icon = m_itemIcons[static_cast<std::size_t>(item)];
    if (!icon) return;
    icon->Play("_stroke", 0, false);
    if (m_itemsPut == m_itemCount) icon->SetSpeed(kFinishedStrokeSpeed);
}

void CZacaz::StrikeLabel() {
    if (m_strokeIndex < 0 || static_cast<std::size_t>(m_strokeIndex) >= m_labels.size()) return;
    const TAnimationPtr label = m_labels[static_cast<std::size_t>(m_strokeIndex)];
    if (label) {
        label->Play("_stroke", 0, false);
        if (m_itemsPut == m_itemCount) label->SetSpeed(kFinishedStrokeSpeed);
    }
    RemoveTab(label);
    ++m_strokeIndex;
}

int CZacaz::TabIndex(const TAnimationPtr& tab) const {
    if (!tab) return -1;
    const auto it = std::find(m_tabs.begin(), m_tabs.end(), tab);
    return it == m_tabs.end() ? -1 : static_cast<int>(it - m_tabs.begin());
}

void CZacaz::RemoveTab(const TAnimationPtr& tab) {
    const int index = TabIndex(tab);
    if (index >= 0) StartScroll(index);
}

void CZacaz::StartScroll(int tab) {
    if (tab < 0 || static_cast<std::size_t>(tab) >= m_tabs.size()) return;
    if (m_scrollTime > 0.0f) {
        m_scrollQueue.push_back(tab);
        return;
    }
    m_scrollDistance = 0.0f;
    m_scrollIndex = tab;
    m_scrollTime = GetGameData().zacazParams.scrollTime;
}

void CZacaz::UpdateScroll(const float& dt) {
    if (m_scrollIndex < 0 || static_cast<std::size_t>(m_scrollIndex) >= m_tabs.size()) {
        m_scrollTime = 0.0f;
        return;
    }
    const TAnimationPtr& tab = m_tabs[static_cast<std::size_t>(m_scrollIndex)];
    if (tab && !tab->IsFinished()) return;
    UpdateScrollBy(dt, false);
}

// One step of the running scroll: `dt` of its time, or (toEnd) the whole remaining way.
void CZacaz::UpdateScrollBy(const float& dt, bool toEnd) {
    if (m_scrollIndex < 0 || static_cast<std::size_t>(m_scrollIndex) >= m_tabs.size()) {
        m_scrollTime = 0.0f;
        return;
    }
    if (m_scrollDistance == 0.0f)
        m_scrollDistance = m_scrollDistances[static_cast<std::size_t>(m_scrollIndex)];
    const int from = m_scrollIndex;
    float step = 0.0f;
    if (!toEnd) {
        step = m_scrollDistance / m_scrollTime * dt;
        m_scrollTime -= dt;
    }
    if (!toEnd && m_scrollTime > 0.0f) {
        m_scrollDistance -= step;
    } else {
        step = m_scrollDistance;
        m_scrollDistance = 0.0f;
        m_scrollTime = 0.0f;
        if (!m_scrollQueue.empty()) {
            const int next = m_scrollQueue.front();
            m_scrollQueue.pop_front();
            StartScroll(next);
        }
    }
    const float limit = (m_itemPlace ? m_itemPlace->GetTransform().y : 0.0f) + m_tabOffset;
    for (std::size_t j = static_cast<std::size_t>(from); j < m_tabs.size(); ++j) {
        const TAnimationPtr& moving = m_tabs[j];
        if (!moving) continue;
        moving->SetY(moving->GetPosition().y - step);
        moving->Update(0.0f);
        if (moving->GetPosition().y <= limit && !moving->IsVisible()) {
            moving->SetVisible(true);
            moving->Play("_show", 0, false);
        }
    }
}

int CZacaz::FindNeededItem(bool includeCurrent, bool randomStart) const {
    const int n = std::min(m_currentItem + (includeCurrent ? 1 : 0), m_itemCount);
    if (n <= 0) return -1;
    const int start = randomStart ? GF::Rand() % (n + 1) : 0;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (m_doneFlags[static_cast<std::size_t>(i)] || !IconVisible(i)) continue;
        if (!ItemNeedsWork(i)) return i;
        if (includeCurrent && !m_busy && m_itemsPut == m_currentItem && i == m_currentItem) return i;
    }
    return -1;
}
