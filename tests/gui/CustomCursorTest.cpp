#include <gtest/gtest.h>

#include "engine/Hge.h"
#include "framework/gui/CustomCursor.h"
#include "tests/gui/GuiFixture.h"

using namespace GF;
using namespace GF::HGENS;

namespace {

class CustomCursorTest : public CGuiFixture {
protected:
    ~CustomCursorTest() override { cursor->RestoreSystemCursor(); }

    // The top-left corner of the quads drawn by the cursor's Draw; (-1, -1) when nothing was drawn.
    TPoint<float> DrawnAt() {
        engine.quads.clear();
        cursor->Draw();
        if (engine.quads.empty()) return {-1.0f, -1.0f};
        return {engine.quads.front().v[0].x, engine.quads.front().v[0].y};
    }

    THolder<CCustomCursor> cursor = GetCustomCursor();
};

TEST_F(CustomCursorTest, DrawnCursorFollowsTheMouseOnThePicture) {
    engine.SetMouse(33.0f, 44.0f);
    engine.ClearRecord();
    cursor->SetCursor("cursor.custom");
    ASSERT_TRUE(cursor->GetAnimation());
    EXPECT_TRUE(engine.System_GetStateBool(HGE_HIDEMOUSE));
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"SetBool 25 1", "Input_SetMousePos"}));
    float x = 0.0f, y = 0.0f;
    engine.Input_GetMousePos(&x, &y);
    EXPECT_EQ(TPoint<float>(x, y), TPoint<float>(33.0f, 44.0f));  // put back where it was

    // The arrow's tip (its hotspot) is at the mouse, frame after frame, while the mouse is on the
    // 640 x 480 picture; past its edges nothing is drawn.
    struct Step {
        float x, y;
        TPoint<float> drawn;
    };
    const Step steps[] = {
        {100.0f, 50.0f, {100.0f, 50.0f}}, {101.5f, 52.25f, {101.5f, 52.25f}},
        {0.0f, 0.0f, {0.0f, 0.0f}},       {639.0f, 479.0f, {639.0f, 479.0f}},
        {640.0f, 200.0f, {-1.0f, -1.0f}}, {200.0f, 480.0f, {-1.0f, -1.0f}},
        {-0.5f, 10.0f, {-1.0f, -1.0f}},   {320.0f, 240.0f, {320.0f, 240.0f}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.x << ", " << s.y);
        GetMouse()->SetPosition(s.x, s.y);
        cursor->Update(16.0f);
        EXPECT_EQ(DrawnAt(), s.drawn);
    }
}

TEST_F(CustomCursorTest, UnknownNameOrRestoreLeavesTheSystemCursor) {
    cursor->SetCursor("cursor.custom");
    cursor->SetCursor("cursor.nothing");
    EXPECT_FALSE(cursor->GetAnimation());
    EXPECT_FALSE(engine.System_GetStateBool(HGE_HIDEMOUSE));
    EXPECT_EQ(DrawnAt(), TPoint<float>(-1.0f, -1.0f));

    cursor->SetCursor("cursor.custom");
    cursor->RestoreSystemCursor();
    EXPECT_FALSE(cursor->GetAnimation());
    EXPECT_FALSE(engine.System_GetStateBool(HGE_HIDEMOUSE));
    cursor->Update(16.0f);
    EXPECT_EQ(DrawnAt(), TPoint<float>(-1.0f, -1.0f));
}

// The screen manager moves and draws the drawn cursor after the top screen, every frame.
TEST_F(CustomCursorTest, ScreenManagerDrawsItAfterTheTopScreen) {
    manager->RegisterScreenFactory("menu", CDialog::Create);
    manager->ShowScreen("menu", "main_menu.confirm_screen", {}, "");
    cursor->SetCursor("cursor.custom");
    GetMouse()->SetPosition(500.0f, 60.0f);
    engine.quads.clear();
    manager->Update(16.0f);
    ASSERT_GE(engine.quads.size(), 2u);
    EXPECT_EQ(engine.quads.back().v[0].x, 500.0f);
    EXPECT_EQ(engine.quads.back().v[0].y, 60.0f);
}

}  // namespace
