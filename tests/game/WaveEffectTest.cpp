#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/scene/HgeSprite.h"
#include "game/app/GameData.h"
#include "game/app/Players.h"
#include "game/app/WaveEffect.h"
#include "game/app/WindowShadesEffect.h"
#include "tests/support/RecordingEngine.h"

namespace {

constexpr GF::TRect kMirrored{830, -1, 410, 601};

// Curves of the game data by name, a 256 x 512 picture on texture 0, and the engine double. The
// game data and the shades' object are put back at the end.
class WaveEffectTest : public testing::Test {
protected:
    WaveEffectTest() {
        Curve("full", 1.0f);
        Curve("full_2", 1.0f);
        Curve("quarter", 0.25f);
        Curve("open", 1.0f);
        Curve("close", 0.0f);
    }
    ~WaveEffectTest() override {
        CWindowShadesEffect::DropInstance();
        GetGameData() = m_saved;
    }
    // A flat curve over x 0 to 1.
    static void Curve(const std::string& name, float y) {
        GetGameData().flyPaths[name] = {name, {{0.0f, y}, {1.0f, y}}};
    }
    static float Left(const hgeDistortionMesh* mesh, int row) {
        float left = 1e9f;
        for (int column = 0; column < CWaveEffect::kColumns; ++column)
            left = std::min(left, mesh->GetVertex(column, row)->x);
        return left;
    }

    const CGameData m_saved = GetGameData();
    CRecordingEngine engine;
    GF::THolder<GF::HGENS::CHGESprite> sprite{new GF::HGENS::CHGESprite(0, 0.0f, 0.0f, 256.0f, 512.0f)};
};

// Folded all the way, the mirrored shade keeps its top row spread across to x 410 while its bottom
// row gathers at its fixed edge, x 830; its free edge greys as the fold rises.
TEST_F(WaveEffectTest, MirroredShadeGathersAtItsRightEdgeAndItsFreeEdgeGreys) {
    const GF::THolder<CWaveEffect> shade = CreateWaveEffect(0, sprite, kMirrored);
    const hgeDistortionMesh* mesh = shade->GetMesh();
    ASSERT_TRUE(mesh);

    shade->Start("quarter", 1000.0f);
    shade->Update(0.5f);
    for (int row = 0; row < CWaveEffect::kRows; ++row) {
        EXPECT_EQ(mesh->GetVertex(CWaveEffect::kColumns - 1, row)->col, 0xFFA5A5A5u) << row;  // 0.65 grey
        EXPECT_EQ(mesh->GetVertex(0, row)->col, 0xFFFFFFFFu) << row;
    }

    shade->Start("full", 1000.0f);
    shade->Update(2.5f);  // past the duration: the curves stay at their end
    EXPECT_FLOAT_EQ(shade->GetProgress(), 1.0f);
    EXPECT_LT(830.0f + Left(mesh, 0), 415.0f);
    EXPECT_GT(830.0f + Left(mesh, CWaveEffect::kRows - 1), 795.0f);
    for (int row = 1; row < CWaveEffect::kRows; ++row) EXPECT_GE(Left(mesh, row), Left(mesh, row - 1) - 3.0f);
    EXPECT_EQ(mesh->GetVertex(CWaveEffect::kColumns - 1, 0)->col, 0xFF4C4C4Cu);  // 0.3 grey
}

// The shades without their picture log it and draw nothing, but still run, so screens waiting on
// them still open and close. A name taken is used once; a request without a name, or for the
// state already current, changes nothing.
TEST_F(WaveEffectTest, ShadesWithoutTheirPictureStillOpenAndClose) {
    CPlayerProfile& player = GetCurrentPlayer();
    const GF::THolder<CWindowShadesEffect> shades = CWindowShadesEffect::GetInstance();
    EXPECT_TRUE(engine.HasLog("effects.shtora"));
    EXPECT_FLOAT_EQ(shades->GetProgress(), 1.0f);

    player.stringVars[20] = "open";
    player.floatVars[22] = 5.0f;
    shades->SetState(1, 1000.0f);
    EXPECT_EQ(shades->GetState(), 1);
    EXPECT_EQ(player.stringVars[20], "");
    EXPECT_FLOAT_EQ(player.floatVars[22], 0.0f);
    engine.SetDelta(0.45f);
    shades->GetFirstShade()->Render();
    shades->GetSecondShade()->Render();
    EXPECT_FLOAT_EQ(shades->GetProgress(), 0.45f);  // the first shade, the second is faster
    EXPECT_TRUE(engine.quads.empty());

    player.stringVars[20] = "open";
    shades->SetState(1, 1000.0f);  // open already: the run goes on
    EXPECT_FLOAT_EQ(shades->GetProgress(), 0.45f);
    player.stringVars[21] = "";
    shades->SetState(2, 1000.0f);  // no name: nothing
    EXPECT_EQ(shades->GetState(), 1);
    player.stringVars[21] = "close";
    shades->SetState(2, 1000.0f);
    EXPECT_EQ(shades->GetState(), 2);
    EXPECT_FLOAT_EQ(shades->GetProgress(), 0.0f);
}

}  // namespace
