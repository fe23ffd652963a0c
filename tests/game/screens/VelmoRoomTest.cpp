#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/core/Keyset.h"
#include "framework/core/Mouse.h"
#include "framework/scene/IAnimation.h"
#include "game/app/LevelsData.h"
#include "game/app/Players.h"
#include "game/screens/VelmoRoom.h"
#include "tests/game/screens/MenuScreensFixture.h"

namespace {

// The dressing room on the sample game: the saved player "Ann" in stage 2, stage 1 won (her cup is
// the first place's), frames of 100 ms. The hover and curtain sounds are given names of their own, so
// that their loading shows when they played.
class VelmoRoomTest : public CMenuScreensFixture {
protected:
    VelmoRoomTest() {
        for (const int key : {CVelmoRoom::kHoverSound, CVelmoRoom::kCurtainSound}) {
            data.sounds[key].name = "room_sound_" + std::to_string(key);
            engine.AddResource("Sound\\room_sound_" + std::to_string(key) + ".ogg",
                               std::vector<unsigned char>{1, 2});
        }
        CPlayerProfile player = data.players.players[u""];
        player.name = u"Ann";
        player.stageName = "stage2";
        player.floatVars[1] = 2.0f;
        player.levels["stage1_1"].scores = {{0, 50.0f}, {6, 90.0f}};
        data.players.players[u"Ann"] = player;
        data.players.currentName = u"Ann";
    }

    // The room as the flow shows it, then idle.
    bool ShowRoom() {
        app->SwitchScreen({}, "VelmoRoomScreen", "main_menu.VelmoRoomScreen", false);
        Top()->OnTop();
        return ReachIdle("VelmoRoomScreen");
    }
    CVelmoRoom& Room() { return dynamic_cast<CVelmoRoom&>(*Top()); }
    int Plays(int key) const {
        return engine.CountCalls("Stream_Load Sound/room_sound_" + std::to_string(key));
    }
    static void MouseTo(const GF::TRect& box, float dx = 0.0f) {
        GF::GetMouse()->SetPosition(static_cast<float>(box.left + box.right) / 2.0f + dx,
                                    static_cast<float>(box.top + box.bottom) / 2.0f);
    }
    static void Latch() { GF::GetKeyset()->SetDown(GF::CKeyset::kKeyMouseLeft, true); }
    // Clicks the hovered slot and steps until the dress has changed (at most 20 frames); the curtain's
    // progress after each frame before the change (the swap frame reads the last of them).
    std::vector<float> SwapBehindTheCurtain() {
        const float worn = Variable(CVelmoRoom::kDressVariable);
        Latch();
        std::vector<float> progress;
        for (int frame = 0; frame < 20; ++frame) {
            Frame();
            if (Variable(CVelmoRoom::kDressVariable) != worn) break;
            const GF::TAnimationPtr& curtain = Room().GetCurtain();
            if (curtain) progress.push_back(curtain->GetTime() / curtain->GetEndTime());
        }
        return progress;
    }
    void RestUntilCurtainOpen() {
        for (int frame = 0; frame < 20 && !Room().IsAtRest(); ++frame) Frame();
    }
};

}  // namespace

// Reached from the map with two dresses of stage 2 unlocked and one just won: two buttons offer them,
// the sparkle marks the second, the news is used up, the cup of stage 1 stands on the shelf. Hovering
// the second button sounds; a click swaps her dress on the first frame past half the curtain, the
// button then offers the default dress and the stage's record is saved. Once the curtain is open a
// second click swaps back. Resting on the cup shows its stage and place; a one-pixel move hides it.
TEST_F(VelmoRoomTest, FromTheMapADressIsSwappedBehindTheCurtainAndSaved) {
    ASSERT_TRUE(Start());
    app->SwitchScreen({}, "ProgressMapScreen", "main_menu.ProgressMapScreen", false);
    Top()->OnTop();
    ASSERT_TRUE(ReachIdle("ProgressMapScreen"));
    CPlayerProfile& ann = GetCurrentPlayer();
    ann.floatVars[15] = 2.0f;
    ann.floatVars[3] = 0.0f;
    ann.floatVars[32] = 0.0f;
    ann.floatVars[17] = 1.0f;
    Click("velmo_room");
    ASSERT_TRUE(ReachIdle("VelmoRoomScreen"));

    const std::vector<CDressSlot>& slots = Room().GetSlots();
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0].dress, 2);
    EXPECT_EQ(slots[1].dress, 3);
    for (const CDressSlot& slot : slots) {
        EXPECT_EQ(slot.box, slot.button->GetBoundingBox());
        EXPECT_GT(slot.box.right - slot.box.left, 40);
    }
    EXPECT_LT(slots[0].box.right, slots[1].box.left);
    ASSERT_TRUE(Room().GetSparkle());
    EXPECT_FLOAT_EQ(Room().GetSparkle()->emitterX,
                    static_cast<float>((slots[1].box.left + slots[1].box.right) / 2));
    EXPECT_FLOAT_EQ(Room().GetSparkle()->emitterY,
                    static_cast<float>((slots[1].box.top + slots[1].box.bottom) / 2));
    EXPECT_EQ(Variable(17), 0.0f);
    ASSERT_EQ(Room().GetCups().size(), 1u);
    ASSERT_TRUE(Room().GetCups()[0]);
    EXPECT_STREQ(Room().GetCups()[0]->GetName(), "cup_1_1");
    ASSERT_TRUE(Room().GetHeroine());
    EXPECT_TRUE(std::string(Room().GetHeroine()->GetAnimation()->GetName()).ends_with("_0"));

    MouseTo(slots[1].box);
    Frame();
    EXPECT_EQ(Plays(22), 1);
    const std::vector<float> progress = SwapBehindTheCurtain();
    ASSERT_GE(progress.size(), 2u);
    EXPECT_GT(progress.back(), 0.5f);
    EXPECT_LE(progress[progress.size() - 2], 0.5f);
    EXPECT_EQ(Plays(23), 1);
    EXPECT_EQ(Variable(3), 3.0f);
    EXPECT_EQ(slots[1].dress, 0);
    EXPECT_TRUE(std::string(Room().GetHeroine()->GetAnimation()->GetName()).ends_with("_3"));
    const CStageProgress saved = SavedStore().players[u"Ann"].stages["stage2"];
    EXPECT_EQ(saved.dress, 3);
    EXPECT_EQ(saved.best, 2);

    // Once the curtain is open the button is hovered again; a second click swaps back.
    RestUntilCurtainOpen();
    Frame();
    EXPECT_EQ(Plays(22), 2);
    SwapBehindTheCurtain();
    EXPECT_EQ(Variable(3), 0.0f);
    EXPECT_EQ(slots[1].dress, 3);
    EXPECT_EQ(SavedStore().players[u"Ann"].stages["stage2"].dress, 0);
    RestUntilCurtainOpen();

    const GF::TAnimationPtr cup = Room().GetCups()[0];
    MouseTo(cup->GetBoundingBox());
    Frame();
    EXPECT_FALSE(Room().IsCupBalloonShown());
    EXPECT_EQ(Room().GetCupGlow().present, cup);
    Frame();
    Frame();
    ASSERT_TRUE(Room().IsCupBalloonShown());
    const GF::WChar* text = Room().GetBalloon()->GetText("_text");
    EXPECT_EQ(std::u16string(text ? text : u""), u"Harbour Inn first place");
    MouseTo(cup->GetBoundingBox(), 1.0f);
    Frame();
    EXPECT_FALSE(Room().IsCupBalloonShown());
    EXPECT_FALSE(Room().GetBalloon()->IsFinished());  // "_hide" plays

    Click("exit");
    EXPECT_EQ(Next(), "ProgressMapScreen");
}

namespace {

// A room that lacks something, and the log line that says so ("" when nothing is amiss to log).
struct tagBrokenRoom {
    const char* name;
    const char* logged;
    void (*change)(std::string& script);
    void (*setUp)();
    bool heroine;
};

void SameScript(std::string&) {}
void NoChange() {}
void Replace(std::string& script, const std::string& from, const std::string& to) {
    const std::size_t at = script.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    script.replace(at, from.size(), to);
}

void PrintTo(const tagBrokenRoom& room, std::ostream* out) {
    *out << room.name;
}

class VelmoRoomBroken : public VelmoRoomTest, public testing::WithParamInterface<tagBrokenRoom> {};

}  // namespace

// Whatever the room lacks, it says so in the log, opens, and a click on the first dress still dresses
// her and saves it, to the profile of the settings loaded last.
TEST_P(VelmoRoomBroken, SaysWhatIsMissingAndStillSavesASwap) {
    const tagBrokenRoom& room = GetParam();
    std::string script = ReadSampleScript();
    room.change(script);
    engine.AddResource("Animation\\effects.as", script);
    data.players.players[u"Ann"].floatVars[15] = 1.0f;
    ASSERT_TRUE(Start());
    room.setUp();
    ASSERT_TRUE(ShowRoom());
    if (*room.logged) {
        EXPECT_TRUE(engine.HasLog(room.logged)) << room.logged;
    }
    EXPECT_EQ(static_cast<bool>(Room().GetHeroine()), room.heroine);
    if (std::string(room.name) == "HugeStageNumber") {
        EXPECT_EQ(Room().GetCups().size(), 7u);
    }
    if (std::string(room.name) == "SettingsLoadedAgain") {
        // The store is read anew: every profile is a new object.
        GF::GetGameManager()->SaveSettings();
        GF::GetGameManager()->LoadSettings();
    }

    ASSERT_EQ(Room().GetSlots().size(), 1u);
    MouseTo(Room().GetSlots()[0].box);
    Frame();
    SwapBehindTheCurtain();
    EXPECT_EQ(Variable(3), 2.0f);
    EXPECT_EQ(SavedStore().players[u"Ann"].stages["stage2"].dress, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VelmoRoomBroken,
    testing::Values(tagBrokenRoom{"NoRoomLevel", "level \"other_1\" has 0 floor corners", &SameScript,
                                  [] { GetLevelsData().Levels.erase("other_1"); }, false},
                    tagBrokenRoom{"ThreeFloorPoints", "level \"other_1\" has 3 floor corners", &SameScript,
                                  [] { GetLevelsData().GetLevel("other_1").FloorQuad.resize(3); }, false},
                    tagBrokenRoom{
                        "CurtainWithoutLength", "the curtain has no length",
                        [](std::string& script) {
                            Replace(
                                script,
                                "CreateAnimationData(\"shtora\");\n    r.AddNamedPart(\"all\", 0, 1000, 1);",
                                "CreateAnimationData(\"shtora\");\n    r.AddNamedPart(\"all\", 0, 1, 1);");
                        },
                        &NoChange, true},
                    tagBrokenRoom{"NoCurtain", "no curtain in \"_shtora\"",
                                  [](std::string& script) {
                                      Replace(script, "r.AddSubstAnimation(\"Velmo_room\", \"shtora\");", "");
                                  },
                                  &NoChange, true},
                    tagBrokenRoom{"HugeStageNumber", "stage 999999999 is past the stage table", &SameScript,
                                  [] { GetCurrentPlayer().floatVars[1] = 1e9f; }, true},
                    tagBrokenRoom{"SettingsLoadedAgain", "", &SameScript, &NoChange, true}),
    [](const testing::TestParamInfo<tagBrokenRoom>& info) { return std::string(info.param.name); });
