#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/gui/BaseControl.h"
#include "framework/scene/IAnimation.h"
#include "tests/game/kitchen/KitchenPlay.h"
#include "tests/support/LevelRun.h"

namespace {

// A part of the picture, in game pixels.
struct tagArea {
    const char* what;
    int left, top, right, bottom;
};

// The kitchen's own controls, and the middle of the floor left of the heroine, where the intro's box
// stands until the intro is over.
constexpr tagArea kAreas[] = {
    {"the Hint button", 15, 15, 105, 45},
    {"the Menu button", 575, 15, 665, 45},
    {"the Help button", 615, 555, 785, 585},
    {"the floor where the intro's box stood", 280, 300, 365, 360},
};

// What a player sees of a kitchen level a while after its intro, and what the log said of it.
struct tagKitchenSeen {
    bool clock = false;  // the level's dial shown
    std::vector<uint32_t> picture;
    int width = 0;
    int height = 0;
    std::vector<std::string> faults;  // the log's complaints while the level started
};

std::vector<std::string> Faults(const std::string& log) {
    std::vector<std::string> faults;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        if (line.find("has no part") != std::string::npos || line.find("no animation") != std::string::npos)
            faults.push_back(line);
    return faults;
}

// How far apart two pictures are over an area: the mean difference of a colour channel, 0 to 255.
double Difference(const tagKitchenSeen& a, const tagKitchenSeen& b, const tagArea& area) {
    if (a.picture.empty() || a.width != b.width || a.height != b.height) return 255.0;
    long total = 0;
    long count = 0;
    for (int y = area.top * a.height / 600; y < area.bottom * a.height / 600; ++y) {
        for (int x = area.left * a.width / 800; x < area.right * a.width / 800; ++x) {
            const uint32_t p = CLevelRun::At(a.picture, a.width, x, y);
            const uint32_t q = CLevelRun::At(b.picture, b.width, x, y);
            for (int shift = 0; shift < 24; shift += 8)
                total += std::abs(static_cast<int>(p >> shift & 0xFF) - static_cast<int>(q >> shift & 0xFF));
            count += 3;
        }
    }
    return count ? static_cast<double>(total) / static_cast<double>(count) : 255.0;
}

// Plays levels through the game's own flow: each start of a level (a game screen made after the
// last one asked for) is looked at 4 s into its play, with the mouse resting on the floor.
class CReplayScript {
public:
    static constexpr int kLookAfter = 100;

    // Starts the level as the map does, or waits for the game screen the flow makes next.
    void Start(CLevelRun& r, const std::string& level) {
        r.Play(level);
        Expect(r);
    }
    void Expect(CLevelRun& r) {
        m_createdBefore = r.CreatedCount() - (r.TopName() == "GameScreen" ? 1 : 0);
        m_logBefore = r.Log().size();
        m_playingAt = -1;
        m_waiting = true;
    }
    // True once the level expected has been looked at (seen gets it).
    bool Look(CLevelRun& r, tagKitchenSeen& seen) {
        if (!m_waiting || r.TopName() != "GameScreen" || r.CreatedCount() <= m_createdBefore) return false;
        CGameField* field = KitchenPlay::Kitchen(r);
        if (!field || !field->IsPlaying()) return false;
        if (m_playingAt < 0) {
            m_playingAt = r.FrameNumber();
            r.MoveMouse(400, 570);
        }
        if (r.FrameNumber() < m_playingAt + kLookAfter) return false;
        seen.clock = field->GetClockFlip() && field->GetClockFlip()->IsVisible();
        seen.picture = r.Picture(&seen.width, &seen.height);
        seen.faults = Faults(r.Log().substr(m_logBefore));
        m_waiting = false;
        return true;
    }

private:
    int m_createdBefore = 0;
    std::size_t m_logBefore = 0;
    int m_playingAt = -1;
    bool m_waiting = false;
};

void ExpectWholeAsAtFirst(const tagKitchenSeen& first, const tagKitchenSeen& again) {
    EXPECT_TRUE(first.clock);
    EXPECT_TRUE(first.faults.empty()) << first.faults.front();
    EXPECT_EQ(again.clock, first.clock);
    for (const std::string& fault : again.faults) ADD_FAILURE() << fault;
    for (const tagArea& area : kAreas) EXPECT_LT(Difference(first, again, area), 6.0) << area.what;
}

}  // namespace

// Every way a kitchen level starts again gives the level whole, as at its first start: the
// in-game menu's Replay, the won level's Replay and the lost level's, and the lost duel's. The
// debug key 1 wins a level once a customer is in; the key 9 speeds its clock until the day is over.
TEST(ReplayRun, EveryWayALevelStartsAgainOpensItWholeAsAtItsFirstStart) {
    struct tagPath {
        const char* name;
        const char* level;
        std::function<void(CLevelRun&, int)> leave;  // given the frames since the look
        const char* resultScreen;                    // whose Replay starts the level again
    };
    const auto key = [](CLevelRun& r, int frame, int at, SDL_Keycode code) {
        if (frame == at) r.Key(code, true);
        if (frame == at + 2) r.Key(code, false);
    };
    const std::vector<tagPath> paths = {
        {"the in-game menu's Replay", "stage1_1",
         [&](CLevelRun& r, int frame) { key(r, frame, 0, SDLK_ESCAPE); }, "InGameMenuScreen"},
        {"the won level's Replay", "stage1_1", [&](CLevelRun& r, int frame) { key(r, frame, 0, SDLK_1); },
         "StatisticsScreen"},
        {"the lost level's Replay", "stage1_1",
         [&](CLevelRun& r, int frame) {
             for (int at : {0, 5, 10}) key(r, frame, at, SDLK_9);
         },
         "LoseScreen"},
        {"the lost duel's Replay", "stage2_2",
         [&](CLevelRun& r, int frame) {
             for (int at : {0, 5, 10}) key(r, frame, at, SDLK_9);
         },
         "DuelLoseScreen"},
    };
    for (const tagPath& path : paths) {
        SCOPED_TRACE(path.name);
        CLevelRun run;
        CReplayScript script;
        KitchenPlay::CClicker mouse;
        tagKitchenSeen first, again;
        int step = 0;
        int at = 0;
        const int code = run.Run(
            [&](CLevelRun& r) {
                const int frame = r.FrameNumber();
                if (mouse.Busy(r)) return true;
                switch (step) {
                    case 0:
                        script.Start(r, path.level);
                        step = 1;
                        return true;
                    case 1:
                        if (!script.Look(r, first)) return true;
                        at = frame + 1;  // the next frame is the first to leave
                        step = 2;
                        return true;
                    case 2:
                        path.leave(r, frame - at);
                        if (r.TopName() != path.resultScreen) return true;
                        at = frame;
                        step = 3;
                        return true;
                    case 3: {
                        // Once its shades are open: the Replay the screen offers.
                        if (frame < at + 50) return true;
                        const GF::THolder<GF::HGENS::CBaseControl> replay = r.Top()->FindControl("replay");
                        const bool offered = replay && replay->IsEnabled();
                        if (!mouse.ClickControl(r, offered ? "replay" : "replay_2")) return false;
                        script.Expect(r);
                        step = 4;
                        return true;
                    }
                    case 4:
                        return !script.Look(r, again);
                }
                return false;
            },
            6000);
        ASSERT_EQ(code, 0);
        ASSERT_FALSE(run.timedOut) << "step " << step << ", top " << run.TopName();
        ExpectWholeAsAtFirst(first, again);
    }
}
