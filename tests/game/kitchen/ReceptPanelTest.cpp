#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/gui/LayoutItem.h"
#include "framework/resources/Resource.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/ITextSprite.h"
#include "game/app/FilterSpriteManager.h"
#include "game/app/Players.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/game/kitchen/PanelField.h"
#include "tests/game/kitchen/SampleKitchen.h"

namespace {

using GF::TAnimationPtr;
using GF::THolder;
using KitchenPlay::Plays;

// The sample kitchen "stage1_1" with a field that owns the recipe panel, on the play screen's layout.
class ReceptPanel : public CSampleKitchen {
protected:
    ReceptPanel() {
        AddSound("client_come");
        // The picture sheet, whose top left holds the icons, and the grey sheet that mirrors them.
        engine.AddResource("Texture\\0.png", "sheet");
        engine.SetTextureSize("Texture\\0.png", 1024, 512);
        engine.AddResource("Texture\\2.png", "sheet");
        engine.SetTextureSize("Texture\\2.png", 128, 64);
        field->Init(Show("interfaces.game_screen", 400.0f, 300.0f, "_idle"), nullptr);
        Start();
        Heard();
    }
    ~ReceptPanel() override {
        field->ClearLevel();
        field.Reset();
    }
    void Start() {
        ASSERT_TRUE(field->StartLevel("stage1_1"));
        field->SetLevelLayout(Show("levels.kitchen_1", 400.0f, 300.0f));
    }
    void FieldFrame(float dt = 40.0f) {
        field->Update(dt);
        Frame(dt);
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) FieldFrame();
    }
    // Frames until the signs have slid into their rows.
    void UntilSettled() {
        for (int i = 0; i < 100 && (field->panel.IsSliding() || !field->arrivals.empty()); ++i) FieldFrame();
    }
    THolder<CZacaz> Arrive(const COrderInfo& order) {
        field->Bring(field->GetElapsed(), order);
        FieldFrame();
        return field->customers.back();
    }
    CReceptPanel& Panel() { return field->panel; }
    GF::TPoint<float> At(const THolder<CZacaz>& customer) { return customer->GetSign()->GetPosition(); }
    static float TimeOf(const TAnimationPtr& animation, const char* part) {
        const TAnimationPtr hosted = GF::HGENS::HostedAnimation(animation, part);
        return hosted ? hosted->GetTime() : -1.0f;
    }
    static uint32_t ColourOf(const TAnimationPtr& icon) {
        const GF::TSpritePtr sprite(icon->GetDrawable(0).Get());
        const THolder<GF::HGENS::CHGESprite> shown = sprite->GetShownSprite();
        return shown ? shown->GetColor(0) & 0xFFFFFF : 0;  // the colour without the fading list's alpha
    }
    static uint32_t Rgb(int32_t argb) { return static_cast<uint32_t>(argb) & 0xFFFFFF; }
    static std::string Text(const std::string& key) {
        const GF::WString* text = GF::GetResource()->GetText(key);
        return text ? GF::Utf16ToUtf8(*text) : std::string();
    }
    static bool Has(const THolder<CZacaz>& customer) { return static_cast<bool>(customer); }
    static bool OnScene(const TAnimationPtr& animation) { return static_cast<bool>(animation->GetScene()); }
    // The animations of that name drawn on the scene, in the order they were made.
    std::vector<TAnimationPtr> Drawn(const char* name) {
        std::vector<TAnimationPtr> found;
        for (const TAnimationPtr& animation : scene->GetAnimations())
            if (animation->GetName() && std::string(animation->GetName()) == name) found.push_back(animation);
        return found;
    }
    static std::string TextOf(const TAnimationPtr& animation, const char* name) {
        const GF::WChar* text = animation ? animation->GetText(name) : nullptr;
        return text ? GF::Utf16ToUtf8(text) : std::string();
    }

    THolder<CPanelField> field = CPanelField::Create();
    CZacazParams& params = GetGameData().zacazParams;
    CBonusParams& factors = GetGameData().bonusParams;
};

}  // namespace

// Customers come into the column: the first is selected and open, the next waits below, closed; a
// duel customer goes on top, open, the selection kept; a selected customer that leaves hands the
// selection on and its sign is thrown off the screen; neither a rival's sign nor a click left of the
// limit finds anyone.
TEST_F(ReceptPanel, CustomersArriveIntoTheirRowsAndLeaveOnAThrow) {
    ASSERT_TRUE(loaded);
    const THolder<CZacaz> first = Arrive(CPanelField::Order("soup", 0, 20, 40, 1));
    const THolder<CZacaz> second = Arrive(CPanelField::Order("steak", 3, 20, 40, 2));
    EXPECT_EQ(Heard(),
              (std::vector<std::string>{"client_come", GetGameData().sounds[6].name, "client_come"}));
    EXPECT_EQ(Panel().GetCurrentCustomer(), first);
    EXPECT_TRUE(first->IsOpen());
    EXPECT_FALSE(second->IsOpen());
    EXPECT_TRUE(Panel().IsSliding());
    UntilSettled();
    const float openRow = params.rowStep + params.openStep;
    EXPECT_FLOAT_EQ(At(first).x, params.columnX);
    EXPECT_FLOAT_EQ(At(first).y, params.firstRowY);
    EXPECT_FLOAT_EQ(At(second).y, params.firstRowY + openRow);

    const THolder<CZacaz> duel = Arrive(CPanelField::Order("tea", CZacaz::kDuelPlayerKind));
    EXPECT_TRUE(duel->IsOpen());
    EXPECT_EQ(Panel().GetCurrentCustomer(), first);
    UntilSettled();
    EXPECT_EQ(Panel().GetCustomers().front(), duel);
    EXPECT_FLOAT_EQ(At(duel).y, params.firstRowY);
    EXPECT_FLOAT_EQ(At(first).y, params.firstRowY + openRow);
    EXPECT_FLOAT_EQ(At(second).y, params.firstRowY + 2 * openRow);

    // The selected customer leaves: the first left in the column is selected and shown.
    Panel().ShowPanel(duel);
    Panel().ShowPanel(first);
    EXPECT_TRUE(first->IsLeaving());
    EXPECT_EQ(Panel().GetCurrentCustomer(), second);
    EXPECT_TRUE(second->IsOpen());
    const TAnimationPtr thrown = first->GetSign();
    FieldFrame();
    EXPECT_GT(thrown->GetRotation(), 0.0f);
    EXPECT_TRUE(OnScene(thrown));
    Frames(GetGameData().fieldParams.slideTime / 40 + 2);
    EXPECT_FALSE(OnScene(thrown));  // landed: let go of its scene
    UntilSettled();
    EXPECT_FLOAT_EQ(At(second).y, params.firstRowY);

    // An order of a recipe the tables lack brings nobody.
    EXPECT_FALSE(Has(Arrive(CPanelField::Order("no_such_dish"))));
    EXPECT_EQ(Panel().GetCustomers().size(), 1u);
    EXPECT_NE(
        std::find_if(engine.log.begin(), engine.log.end(),
                     [](const std::string& line) { return line.find("no_such_dish") != std::string::npos; }),
        engine.log.end());

    const THolder<CZacaz> rival = Arrive(CPanelField::Order("pizza", CZacaz::kDuelRivalKind));
    UntilSettled();
    EXPECT_TRUE(rival->IsOpen());
    EXPECT_EQ(Panel().GetCurrentCustomer(), second);
    const auto centre = [](const THolder<CZacaz>& customer) {
        const GF::TRect box = customer->GetSign()->GetBoundingBox();
        return GF::TPoint<float>{(box.left + box.right) / 2.0f, (box.top + box.bottom) / 2.0f};
    };
    EXPECT_EQ(Panel().FindCustomerAt(centre(second)), second);
    EXPECT_FALSE(Has(Panel().FindCustomerAt(centre(rival))));
    params.clickLimitX = static_cast<int32_t>(centre(second).x);
    EXPECT_FALSE(Has(Panel().FindCustomerAt(centre(second))));
}

// Moods fall while customers wait: over the waiting patience behind a closed sign, over the order
// patience behind an open one, the mood picture turning at 0.625 and 0.275. Nobody leaves until the
// panel lets patience run; then a customer leaves when its patience is out and the field hears which
// recipe was lost. A held patience factor holds every mood; a patience of 0 ends at once.
TEST_F(ReceptPanel, MoodsFallByTheirPatienceAndCustomersLeaveOnlyFromClosingTime) {
    ASSERT_TRUE(loaded);
    const THolder<CZacaz> open = Arrive(CPanelField::Order("soup", 0, 20, 40));
    const THolder<CZacaz> closed = Arrive(CPanelField::Order("steak", 0, 10, 40));
    UntilSettled();
    Frames(50);  // 2 s
    EXPECT_NEAR(open->GetMood(), 1.0f - 2.0f / 40.0f, 1e-3f);
    EXPECT_NEAR(closed->GetMood(), 1.0f - 2.0f / 10.0f, 1e-3f);

    // The sign's background turns to its second and third pictures.
    const TAnimationPtr picture = GF::HGENS::HostedAnimation(closed->GetSign(), "_fon");
    float moodAtTurn[4] = {};
    for (int i = 0; i < 400; ++i) {
        FieldFrame();
        for (int stage = 2; stage <= 3; ++stage)
            if (moodAtTurn[stage] == 0.0f && Plays(picture, ("_part_" + std::to_string(stage)).c_str()))
                moodAtTurn[stage] = closed->GetMood();
    }
    EXPECT_LE(moodAtTurn[2], 0.625f);
    EXPECT_GT(moodAtTurn[2], 0.625f - 0.005f);
    EXPECT_LE(moodAtTurn[3], 0.275f);
    EXPECT_GT(moodAtTurn[3], 0.275f - 0.005f);
    EXPECT_LE(closed->GetMood(), 0.225f);  // below the low-mood mark, and still there
    EXPECT_GT(closed->GetMood(), 0.2f);
    EXPECT_EQ(Panel().GetCustomers().size(), 2u);

    factors.patienceFactor = 0.0f;
    const float held = open->GetMood(), low = closed->GetMood();
    Panel().SetPatienceRunning(true);
    Frames(25);
    EXPECT_EQ(open->GetMood(), held);
    EXPECT_EQ(closed->GetMood(), low);
    EXPECT_EQ(Panel().GetCustomers().size(), 2u);

    // From the low mark the mood runs out over the order patience: 0.225 x 40 s.
    factors.patienceFactor = 1.0f;
    const float left = closed->GetMood() * 40.0f * 1000.0f;
    int frames = 0;
    while (!closed->IsLeaving() && frames < 400) {
        FieldFrame();
        ++frames;
    }
    EXPECT_NEAR(frames * 40.0f, left, 80.0f);
    EXPECT_EQ(field->lost, std::vector<std::string>{"steak"});
    EXPECT_EQ(Panel().GetCustomers().size(), 1u);

    // No patience at all: gone in the first frame after its slide, its worth still a number.
    const THolder<CZacaz> impatient = Arrive(CPanelField::Order("tea", 0, 0, 0));
    float points = 0.0f, tips = 0.0f;
    impatient->ComputeReward(points, tips);
    EXPECT_TRUE(std::isfinite(points));
    UntilSettled();
    FieldFrame();
    EXPECT_TRUE(impatient->IsLeaving());
    EXPECT_EQ(impatient->GetMood(), 0.0f);
    impatient->ComputeReward(points, tips);
    EXPECT_EQ(points, 3.0f);
    EXPECT_TRUE(std::isfinite(field->GetScore()));
}

// Customers without a mood bar keep their mood while they wait, and from closing time on too: the
// bonus customer, any other kind without a bar and the duel customers never leave by impatience.
TEST_F(ReceptPanel, CustomersWithoutAMoodBarNeverLeaveByImpatience) {
    ASSERT_TRUE(loaded);
    const THolder<CZacaz> bonus = Arrive(CPanelField::Order("soup", CZacaz::kBonusKind, 20, 2));
    const THolder<CZacaz> other = Arrive(CPanelField::Order("steak", 5, 20, 2));
    const THolder<CZacaz> player = Arrive(CPanelField::Order("tea", CZacaz::kDuelPlayerKind, 20, 2));
    const THolder<CZacaz> rival = Arrive(CPanelField::Order("pizza", CZacaz::kDuelRivalKind, 20, 2));
    UntilSettled();
    Frames(100);
    Panel().SetPatienceRunning(true);
    Frames(200);  // 8 s of patience running, four times their 2
    for (const THolder<CZacaz>& customer : {bonus, other, player, rival}) {
        EXPECT_EQ(customer->GetMood(), 1.0f);
        EXPECT_FALSE(customer->IsLeaving());
    }
    EXPECT_EQ(Panel().GetCustomers().size(), 4u);
    EXPECT_TRUE(field->lost.empty());
}

// The actions' calls on an order, made directly: the current item moves on past the side that needs
// no work, the labels strike in order, the gauge fills over the item's work time, the icons take
// their colours and the item after the current one is drawn from its grey cell; the last item
// completes the order (sound 15, the rings, both delivery buttons) and serving pays the points.
TEST_F(ReceptPanel, CookingAnOrderMovesThroughItsItemsAndPaysWhenServed) {
    ASSERT_TRUE(loaded);
    factors.patienceFactor = 0.0f;  // a content customer all along
    factors.cookFactor = 2.0f;
    const THolder<CZacaz> pizza = Arrive(CPanelField::Order("pizza"));
    UntilSettled();
    ASSERT_EQ(pizza->GetItemCount(), 3);
    ASSERT_EQ(pizza->GetItemIcons().size(), 3u);
    const std::vector<TAnimationPtr> labels = Drawn("zakladka");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(pizza->GetCurrentItem(), 1);
    EXPECT_EQ(pizza->FindNeededItem(true, false), 0);  // the cheese needs no work
    const auto& icons = pizza->GetItemIcons();
    EXPECT_EQ(ColourOf(icons[0]), Rgb(params.readyColour));
    EXPECT_EQ(ColourOf(icons[1]), Rgb(params.iconColour));
    EXPECT_EQ(ColourOf(icons[2]), Rgb(params.inactiveColour));
    const auto drawn = [](const TAnimationPtr& icon) {
        return GF::TSpritePtr(icon->GetDrawable(0).Get())->GetShownSprite();
    };
    const HTEXTURE grey = CFilterSpriteManager::GetInstance()->GetFilterTexture("gray");
    ASSERT_NE(grey, 0u);
    EXPECT_NE(drawn(icons[1])->quad.tex, grey);
    EXPECT_EQ(drawn(icons[2])->quad.tex, grey);  // the tea's grey cell: where the tea lies on its sheet
    EXPECT_EQ(drawn(icons[2])->tx, 96.0f);
    EXPECT_EQ(drawn(icons[2])->ty, 0.0f);
    EXPECT_EQ(TextOf(labels[0], "_text"), "1");
    EXPECT_EQ(TextOf(labels[1], "_text"), "2");
    EXPECT_EQ(GF::TTextSpritePtr(labels[0]->FindDrawable("_text").Get())->GetColor(), 0xFF880000u);
    EXPECT_EQ(GF::TTextSpritePtr(labels[1]->FindDrawable("_text").Get())->GetColor(), 0xFF999999u);

    // The cheese first; then the pizza at its device: 3500 ms of work at cook factor 2.
    EXPECT_EQ(pizza->FindCurrentItem("Devices.micro_wave"), -1);
    pizza->SetItemDone(0);
    pizza->PutItem(0);
    EXPECT_EQ(pizza->FindCurrentItem("Devices.micro_wave"), 1);
    EXPECT_EQ(pizza->FindCurrentItem("Devices.griddle"), -1);
    EXPECT_EQ(pizza->FindCurrentItem("Devices.no_such_thing"), -1);
    pizza->SetItemWorking(true, 1);
    EXPECT_EQ(ColourOf(icons[1]), Rgb(params.workingColour));
    ASSERT_EQ(Drawn("icon_fon").size(), 1u);
    const TAnimationPtr gauge = Drawn("icon_fon").front();
    const float length = Show("interfaces.icon_fon", 0.0f, 0.0f, "_show")->GetEndTime();
    for (int i = 0; i < 87; ++i) pizza->UpdateWorkProgress(40.0f);  // 3480 ms
    EXPECT_NEAR(gauge->GetTime(), length * 3480.0f / 7000.0f, 1.0f);
    for (int i = 0; i < 100; ++i) pizza->UpdateWorkProgress(40.0f);
    EXPECT_EQ(gauge->GetTime(), length);
    pizza->SetItemWorking(false, 1);
    EXPECT_TRUE(Plays(gauge, "_hide_2"));  // hides and goes
    pizza->SetItemDone(1);
    pizza->PutItem(1);
    EXPECT_EQ(pizza->GetCurrentItem(), 2);
    EXPECT_NE(drawn(icons[2])->quad.tex, grey);
    EXPECT_EQ(ColourOf(icons[2]), Rgb(params.iconColour));
    EXPECT_GE(labels[0]->GetTime(), 300.0f);  // "_stroke"
    EXPECT_LT(labels[1]->GetTime(), 300.0f);
    Frames(20);

    // The tea, whose work takes no time at all at cook factor 0: its gauge is full at once.
    factors.cookFactor = 0.0f;
    pizza->SetItemWorking(true, 2);
    EXPECT_EQ(Drawn("icon_fon").back()->GetTime(), length);
    pizza->SetItemWorking(false, 2);
    EXPECT_FALSE(pizza->IsReadyToServe());
    pizza->SetItemDone(2);
    Heard();
    pizza->PutItem(2);
    EXPECT_EQ(Heard(), std::vector<std::string>{GetGameData().sounds[15].name});
    EXPECT_GE(TimeOf(pizza->GetSign(), "_ring_3"), 300.0f);  // "_work_end_2"
    EXPECT_GE(labels[1]->GetTime(), 300.0f);
    EXPECT_TRUE(pizza->GetDeliveryButton()->IsEnabled());
    EXPECT_TRUE(field->GetDeliveryButton()->IsEnabled());
    EXPECT_TRUE(pizza->IsReadyToServe());

    factors.qualityFactor = 2.0f;
    pizza->ShowReward();
    EXPECT_EQ(field->GetScore(), 2.0f * 10.0f + 1.5f);  // no tip value: half a point a dish item
    EXPECT_EQ(GetCurrentPlayer().floatVars[4], 21.5f);
    const TAnimationPtr reward = GF::HGENS::HostedAnimation(pizza->GetSign(), "_many");
    EXPECT_EQ(TextOf(reward, "_many"), Text("bals") + " 20.0");
    EXPECT_EQ(TextOf(reward, "_tips"), Text("tips_many") + " 1.5");
    EXPECT_TRUE(reward->IsVisible());
    Frames(40);
    EXPECT_EQ(TextOf(pizza->GetSign(), "_points"), "20.0");
    factors.qualityFactor = 0.9901f;  // 9.9 points
    Frames(40);
    EXPECT_EQ(TextOf(pizza->GetSign(), "_points"), "10.0");
}

// Offers ride on the mood bar: a customer gets one only with ten seconds of level left and no other
// offer open; its icon stands where the bar will be when it expires, hides five seconds before and
// goes, its own icon even with a chain on the bar. Serving hands every offer over; a duel customer
// pays each offer at its item; a bonus customer is served when its last item is in.
TEST_F(ReceptPanel, OffersRideTheMoodBarAndArePaidByServingOrByItem) {
    ASSERT_TRUE(loaded);
    const THolder<CZacaz> first = Arrive(CPanelField::Order("soup"));
    const THolder<CZacaz> second = Arrive(CPanelField::Order("steak"));
    UntilSettled();
    ASSERT_EQ(first->GetOfferIcons().size(), 1u);
    EXPECT_EQ(second->GetOfferIcons().size(), 0u);
    EXPECT_EQ(field->OfferCounter(), 1);
    const TAnimationPtr icon = first->GetOfferIcons().at(0);
    const GF::TRect bar = Drawn("progress_new").front()->GetDrawable(0)->GetBoundingBox();
    EXPECT_NEAR(icon->GetPosition().x, std::trunc(bar.left + 10.0f / 40.0f * (bar.right - bar.left)), 1.0f);
    const TAnimationPtr chain = Show("bonus.freeze", 0.0f, 0.0f, "_show");
    first->AttachToStatus(chain, 0.0f);

    // The soup's offer: 10 s of waiting over a patience of 40 s, hiding from 5 s on.
    int hideAt = -1, goneAt = -1;
    bool shown = false;
    for (int frame = 1; frame <= 300 && goneAt < 0; ++frame) {
        FieldFrame();
        shown = shown || icon->IsFinished();
        if (hideAt < 0 && shown && !icon->IsFinished()) hideAt = frame;  // "_hide" repeats until it goes
        if (first->GetOfferIcons().empty()) goneAt = frame;
    }
    EXPECT_NEAR(hideAt * 40.0f, 5000.0f, 80.0f);
    EXPECT_NEAR(goneAt * 40.0f, 10000.0f, 80.0f);
    EXPECT_TRUE(first->GetOfferIcons().empty());
    EXPECT_FALSE(OnScene(icon));  // the offer's own icon went
    EXPECT_TRUE(OnScene(chain));  // the chain stays on the bar
    EXPECT_EQ(field->OfferCounter(), 0);

    // The next customer gets the next bonus; serving hands it over with its icon.
    const THolder<CZacaz> third = Arrive(CPanelField::Order("tea"));
    ASSERT_EQ(third->GetOfferIcons().size(), 1u);
    const TAnimationPtr offered = third->GetOfferIcons().at(0);
    third->GiveAllBonuses();
    ASSERT_EQ(field->bonuses.size(), 1u);
    EXPECT_EQ(field->bonuses[0].kind, 1);
    EXPECT_EQ(field->bonuses[0].visual, offered);
    EXPECT_TRUE(third->GetOfferIcons().empty());
    EXPECT_EQ(field->OfferCounter(), 0);

    // Less than ten seconds of level left: no offer, whatever the counter.
    field->SetElapsed(GetLevelsData().FindLevel("stage1_1")->Duration - 9000.0f);
    EXPECT_EQ(Arrive(CPanelField::Order("pizza"))->GetOfferIcons().size(), 0u);

    // A duel customer carries every bonus of the level and pays each at its item, in item order.
    field->ClearLevel();
    field->panel.SetField(THolder<CGameFieldBase>(field.Get()));
    field->bonuses.clear();
    GetLevelsData().FindLevel("stage1_1")->Bonuses = {{0, 0.0f}, {3, 2.0f}};
    Start();
    const THolder<CZacaz> duel = Arrive(CPanelField::Order("pizza", CZacaz::kDuelPlayerKind));
    UntilSettled();
    ASSERT_EQ(duel->GetOfferIcons().size(), 2u);
    EXPECT_EQ(duel->GetTabs().size(), 3u + 2u + 2u);  // items, labels, bonus tabs
    duel->SetItemDone(0);
    duel->SetItemDone(1);
    ASSERT_EQ(field->bonuses.size(), 1u);
    EXPECT_EQ(field->bonuses[0].kind, 0);
    EXPECT_TRUE(field->bonuses[0].visual->IsVisible());
    duel->SetItemDone(2);
    ASSERT_EQ(field->bonuses.size(), 2u);
    EXPECT_EQ(field->bonuses[1].kind, 3);
    EXPECT_TRUE(duel->GetOfferIcons().empty());
    EXPECT_TRUE(duel->GetOfferIcons().empty());

    const THolder<CZacaz> bonus = Arrive(CPanelField::Order("soup", CZacaz::kBonusKind));
    bonus->Open();
    bonus->PutItem(0);
    EXPECT_TRUE(field->served.empty());
    bonus->PutItem(1);
    ASSERT_EQ(field->served.size(), 1u);
    EXPECT_EQ(field->served[0], bonus);
    EXPECT_TRUE(bonus->IsLeaving());
    // Its card counts the items left to bring: none, also once the hand-over counts one more.
    bonus->SetItemDone(0);
    bonus->SetItemDone(1);
    bonus->SetItemDone(CZacaz::kNoItem);
    bonus->UpdateDisplay(40.0f);
    EXPECT_EQ(TextOf(bonus->GetSign(), "_points"), "0");
}
