#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/gui/BaseControl.h"
#include "game/screens/VelmoRoom.h"
#include "tests/support/LevelRun.h"

namespace {

struct tagSeen {
    uint32_t before = 0;  // the pixel at the heroine's middle, before and after the swap
    uint32_t after = 0;
    uint32_t cupBefore = 0;  // the pixel at the cup's middle, before, under and after the mouse
    uint32_t cupLit = 0;
    uint32_t cupAfter = 0;
    std::vector<float> dresses;  // variable 3 whenever it changed
    std::vector<std::string> results;
};

int Green(uint32_t pixel) {
    return static_cast<int>((pixel >> 8) & 0xFFu);
}
int Blue(uint32_t pixel) {
    return static_cast<int>(pixel & 0xFFu);
}

GF::TPoint<int> Centre(const GF::TRect& box) {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace

// The real program, 40 ms frames: the main menu's dressing-room button opens the room; a click on the
// second dress closes the curtain, and she wears it once the curtain has passed half-way. A click
// pressed and released while the curtain plays is lost. The picture shows her in the new dress
// (dress 3, yellow) where she stood in the default one (pink). Stage 1's cup lights up under the
// mouse and looks as before once the mouse has left it.
TEST(VelmoRoomRun, TheMainMenuLeadsToTheRoomWhereAClickDressesHer) {
    CLevelRun run;
    tagSeen seen;
    int onTop = 0;
    std::string lastTop;
    int clickAt = -1;
    GF::TPoint<int> at{};
    GF::TPoint<int> cupAt{};
    const auto pixel = [](CLevelRun& r, const GF::TPoint<float>& p) {
        int width = 0;
        int height = 0;
        const std::vector<uint32_t> picture = r.Picture(&width, &height);
        const float scale = static_cast<float>(width) / 800.0f;
        return picture.empty() ? 0u
                               : CLevelRun::At(picture, width, static_cast<int>(p.x * scale),
                                               static_cast<int>(p.y * scale));
    };
    run.Run([&](CLevelRun& r) {
        const int frame = r.FrameNumber();
        if (frame == 0) {
            CPlayerProfile& player = r.Player();
            player.stageName = "stage2";
            player.floatVars[1] = 2.0f;
            player.floatVars[15] = 2.0f;
            player.floatVars[3] = 0.0f;
            player.levels["stage1_1"].scores[6] = 100.0f;  // the player alone: stage 1's first place
            r.Show("MainMenuScreen", "main_menu.MainMenuScreen");
            return true;
        }
        const float dress = r.Player().floatVars[3];
        if (dress != (seen.dresses.empty() ? 0.0f : seen.dresses.back())) seen.dresses.push_back(dress);
        // Frames the screen has been on top: 60 (2.4 s) see it idle.
        onTop = r.TopName() == lastTop ? onTop + 1 : 0;
        lastTop = r.TopName();
        auto* room = dynamic_cast<CVelmoRoom*>(r.Top().Get());
        if (onTop == 60 && !room) {
            const GF::THolder<GF::HGENS::CBaseControl> button = r.Top()->FindControl("cookbook");
            if (!button) return false;
            at = Centre(button->GetHitRect());
            r.MoveMouse(at.x, at.y);
            clickAt = frame;
        }
        if (onTop == 60 && room) {
            if (room->GetSlots().size() != 2 || !room->GetHeroine()) return false;
            seen.before = pixel(r, room->GetHeroine()->GetAnimation()->GetPosition());
            at = Centre(room->GetSlots()[1].box);
            r.MoveMouse(at.x, at.y);
            clickAt = frame;
        }
        // Press and let go; in the room again while the curtain plays.
        if (clickAt >= 0 && (frame == clickAt + 1 || (room && frame == clickAt + 6)))
            r.Button(true, at.x, at.y);
        if (clickAt >= 0 && (frame == clickAt + 2 || (room && frame == clickAt + 7)))
            r.Button(false, at.x, at.y);
        if (room && onTop > 60 && frame == clickAt + 60) {
            seen.after = pixel(r, room->GetHeroine()->GetAnimation()->GetPosition());
            seen.results = r.Results();
            if (room->GetCups().empty() || !room->GetCups()[0]) return false;
            cupAt = Centre(room->GetCups()[0]->GetBoundingBox());
            seen.cupBefore = pixel(r, {static_cast<float>(cupAt.x), static_cast<float>(cupAt.y)});
            r.MoveMouse(cupAt.x, cupAt.y);
        }
        if (room && onTop > 60 && frame == clickAt + 100) {
            seen.cupLit = pixel(r, {static_cast<float>(cupAt.x), static_cast<float>(cupAt.y)});
            r.MoveMouse(400, 40);
        }
        if (room && onTop > 60 && frame == clickAt + 160) {
            seen.cupAfter = pixel(r, {static_cast<float>(cupAt.x), static_cast<float>(cupAt.y)});
            return false;
        }
        return true;
    });
    ASSERT_FALSE(run.timedOut);
    ASSERT_FALSE(seen.results.empty());
    EXPECT_EQ(seen.results.back(), "MainMenuScreen:velmoroom");
    EXPECT_EQ(seen.dresses, std::vector<float>{3.0f});  // one swap: the second click was lost
    EXPECT_GT(Blue(seen.before), Green(seen.before));
    EXPECT_GT(Green(seen.after), Blue(seen.after) + 50);
    EXPECT_EQ(run.Log().find("Dressing room"), std::string::npos);
    EXPECT_NE(seen.cupLit, seen.cupBefore);
    EXPECT_EQ(seen.cupAfter, seen.cupBefore);
}
