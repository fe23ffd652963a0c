#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/core/Random.h"
#include "framework/core/WString.h"
#include "framework/scene/IDrawable.h"
#include "framework/scene/ISubstitutedContainer.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/kitchen/GameFieldBase.h"
#include "tests/game/kitchen/SampleKitchen.h"

namespace {

// What the kitchen field does for the tournament: the order queue and the tournament at level start,
// its own clock, the stop flag at closing time and the player's place after every frame.
class CTournamentField : public CGameFieldBase {
public:
    bool StartLevel(const std::string& name) override {
        if (!CGameFieldBase::StartLevel(name)) return false;
        m_orders = m_level->Orders;
        m_turnir.Start(GF::THolder<CGameFieldBase>(this));
        m_rivalsPanel.Step(0.0f);
        return true;
    }
    void Update(const float& dt) override {
        m_elapsed += dt;
        CGameFieldBase::Update(dt);
        if (m_elapsed >= closeAt) m_turnir.stopped = true;
        place = m_rivalsPanel.GetPlayerPlace();
    }
    const CTurnirStrategy& Turnir() const { return m_turnir; }

    float closeAt = 1e9f;
    int place = -1;
};

class Tournament : public CSampleKitchen {
protected:
    Tournament() { field->Init(Show("interfaces.game_screen", 400.0f, 300.0f, "_idle"), nullptr); }
    ~Tournament() override {
        field->ClearLevel();
        field.Reset();
    }
    void Start(const std::string& level, unsigned seed = 5) {
        GF::SeedRand(seed);
        ASSERT_TRUE(field->StartLevel(level));
    }
    void FieldFrame(float dt = 100.0f) {
        field->Update(dt);
        Frame(dt);
    }
    CRivalsPanel& Panel() { return field->GetRivalsPanel(); }
    std::vector<int> Participants() {
        std::vector<int> order;
        for (const CRivalsPanel::tagEntry& entry : Panel().GetEntries()) order.push_back(entry.participant);
        return order;
    }
    std::map<int, int> RivalPoints() const {
        std::map<int, int> points;
        for (const CTurnirStrategy::tagRival& rival : field->Turnir().rivals)
            points[rival.participant] = rival.points;
        return points;
    }
    static std::string Text(const GF::TAnimationPtr& ribbon, const char* part) {
        const GF::WChar* text = ribbon->GetText(part);
        return text ? GF::Utf16ToUtf8(text) : std::string();
    }
    bool Logged(const std::string& text) const {
        return std::any_of(engine.log.begin(), engine.log.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }
    // A copy of the sample level under a new name, changed by the caller.
    static CLevelInfo& AddLevel(const std::string& name, const std::string& from = "stage1_2") {
        CLevelInfo& level = GetLevelsData().GetLevel(name);
        level = *GetLevelsData().FindLevel(from);
        level.Name = name;
        return level;
    }

    GF::THolder<CTournamentField> field = GF::MakeHolder<CTournamentField>();
};

}  // namespace

TEST_F(Tournament, FourRivalsReachTheirTargetsWhileTheRibbonsKeepThePlaces) {
    ASSERT_TRUE(loaded);
    const CLevelInfo& level = *GetLevelsData().FindLevel("stage1_2");
    const CRivalParams& params = GetGameData().rivalParams;
    const float frameMs = 100.0f;

    // A stop at half time freezes every rival's points for the rest of the level.
    field->closeAt = level.Duration / 2.0f;
    Start("stage1_2");
    while (field->GetElapsed() < field->closeAt) FieldFrame(frameMs);
    const std::map<int, int> atClosing = RivalPoints();
    while (field->GetElapsed() < level.Duration + 2000.0f) FieldFrame(frameMs);
    EXPECT_EQ(RivalPoints(), atClosing);
    field->ClearLevel();

    // The whole level again on the same seed, with the stop at the end.
    field = GF::MakeHolder<CTournamentField>();
    field->Init(Show("interfaces.game_screen", 400.0f, 300.0f, "_idle"), nullptr);
    field->closeAt = level.Duration;
    Start("stage1_2");
    // Five participants in their order of arrival, the fifth ribbon the fourth's again.
    EXPECT_EQ(Participants(), (std::vector<int>{6, 3, 4, 5, 7}));
    std::vector<std::string> ribbons;
    for (const GF::TAnimationPtr& ribbon : Panel().GetRibbons()) ribbons.push_back(ribbon->GetName());
    EXPECT_EQ(ribbons,
              (std::vector<std::string>{"ribbon_1", "ribbon_2", "ribbon_3", "ribbon_4", "ribbon_4"}));
    EXPECT_EQ(field->place, -1);
    FieldFrame(frameMs);
    EXPECT_EQ(field->place, 5);  // as few points as everyone, and there first

    // Soups and steaks of two items each: 9 points on average, so the first rival's 250 take 27 + 1
    // steps, the first after 50 to 139 hundredths of the level's time shared by 29.
    EXPECT_FLOAT_EQ(field->Turnir().averagePoints, 9.0f);
    const float share = level.Duration / 29.0f;
    float firstStep = 0.0f;
    int frames = 0;
    while (field->GetElapsed() < level.Duration) {
        if (RivalPoints().at(3) > 0 && firstStep == 0.0f) firstStep = field->GetElapsed();
        // The player scores now and then, never catching the leader before the end.
        if (++frames % 50 == 0) field->AddScore(1.0f);
        FieldFrame(frameMs);
    }
    EXPECT_GE(firstStep, 0.5f * share);
    EXPECT_LE(firstStep, 1.39f * share + frameMs);
    for (const CLevelValuePair& pair : level.ProgressValues) {
        EXPECT_GE(RivalPoints().at(pair.Slot), pair.Value) << pair.Slot;
        EXPECT_LE(RivalPoints().at(pair.Slot), pair.Value + 19) << pair.Slot;
        EXPECT_EQ(Panel().GetScore(pair.Slot), static_cast<float>(RivalPoints().at(pair.Slot)));
    }
    EXPECT_EQ(field->place, 5);

    // The player draws level with the leader: reaching those points later, it stands to the right.
    const int leader = Participants().back();
    field->AddScore(Panel().GetScore(leader) - field->GetScore());
    EXPECT_EQ(Participants()[3], leader);
    EXPECT_EQ(Participants()[4], 6);
    for (int i = 0; i < 10; ++i) FieldFrame(frameMs);
    EXPECT_EQ(field->place, 1);

    // The row after the glide: ribbons from the left at the row's start, spaced, the most points on the
    // right with place 1; every portrait on its ribbon's place; the player's ribbon selected.
    const std::vector<GF::TAnimationPtr>& row = Panel().GetRibbons();
    const float left = params.value3 - 5.0f * params.value2 * 0.5f;
    int i = 0;
    for (const CRivalsPanel::tagEntry& entry : Panel().GetEntries()) {
        SCOPED_TRACE(entry.participant);
        const GF::TAnimationPtr& ribbon = row[static_cast<std::size_t>(4 - i)];
        EXPECT_EQ(ribbon->GetPosition().x, left + static_cast<float>(i) * params.value2);
        EXPECT_EQ(ribbon->GetPosition().y, params.value4);
        EXPECT_EQ(Text(ribbon, "_place"), std::to_string(5 - i));
        EXPECT_EQ(Text(ribbon, "_score"), std::to_string(static_cast<int>(entry.points)));
        const GF::TSubstitutedContainerPtr place(ribbon->FindDrawable("_pers_place").Get());
        ASSERT_TRUE(place && entry.portrait);
        EXPECT_EQ(entry.portrait->GetPosition().x, place->GetTransform().x);
        EXPECT_EQ(entry.portrait->GetPosition().y, place->GetTransform().y);
        const bool selected = ribbon->GetTime() >= 1000.0f;
        EXPECT_EQ(selected, entry.participant == 6);
        ++i;
    }
}

TEST_F(Tournament, LevelsWithoutRivalsOrRecipesAndUnknownParticipantsRunSafely) {
    ASSERT_TRUE(loaded);
    // A bonus level: the player's points reach an empty panel, whose glide stops at once.
    Start("bonus_place_in_1");
    for (int i = 0; i < 5; ++i) {
        field->AddScore(10.0f);
        FieldFrame();
    }
    EXPECT_TRUE(Panel().GetRibbons().empty());
    EXPECT_EQ(field->place, 0);
    EXPECT_TRUE(field->Turnir().rivals.empty());
    field->ClearLevel();

    // Orders of no known recipe: an average order makes 8 points, and the rivals still score.
    CLevelInfo& unknown = AddLevel("t_no_recipe");
    for (COrderInfo& order : unknown.Orders) order.Recept = "nothing";
    Start("t_no_recipe");
    EXPECT_EQ(field->Turnir().averagePoints, 8.0f);
    EXPECT_EQ(field->Turnir().rivals.front().stepsLeft, 250 / 8 + 1);
    EXPECT_TRUE(Logged("no order of \"t_no_recipe\" names a known recipe"));
    for (int i = 0; i < 200; ++i) FieldFrame();
    EXPECT_GT(RivalPoints().at(3), 0);
    field->ClearLevel();

    // The player's own number and one without a portrait are no rivals.
    AddLevel("t_slots").ProgressValues = {{50, 6}, {50, 9}, {40, 0}};
    Start("t_slots");
    EXPECT_EQ(Participants(), (std::vector<int>{6, 0}));
    ASSERT_EQ(field->Turnir().rivals.size(), 1u);
    EXPECT_TRUE(Logged("names participant 6 as a rival"));
    EXPECT_TRUE(Logged("names participant 9 as a rival"));
    field->ClearLevel();

    // The panel asked for a participant the script has no portrait for: it stands in the row without
    // one, ranked and glided like the others.
    CRivalsPanel panel;
    panel.Init(GetGameScene());
    panel.ShowRivalPortraits(6, 0.0f);
    panel.ShowRivalPortraits(8, 5.0f);
    panel.SetScore(8, 20.0f);
    panel.SetScore(6, 30.0f);
    for (int i = 0; i < 30; ++i) {
        panel.Step(100.0f);
        Frame(100.0f);
    }
    EXPECT_TRUE(Logged("no portrait \"interfaces.pers_8\""));
    EXPECT_FALSE(panel.GetEntries().front().portrait);
    EXPECT_EQ(panel.GetScore(8), 20.0f);
    EXPECT_EQ(panel.GetPlayerPlace(), 1);
}
