#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/scene/IDrawable.h"
#include "framework/scene/ISprite.h"
#include "framework/scene/Scene.h"
#include "game/kitchen/ShowObjectAction.h"
#include "tests/game/kitchen/SampleKitchen.h"

namespace {

using GF::TPoint;

// The named part the object's animation plays: the one that starts where its clock started.
std::string PlayedPart(const GF::TAnimationPtr& animation) {
    const GF::THolder<GF::IAnimationData> data = animation->GetAnimationData();
    for (const char* name : {"_idle", "_work", "_closed"}) {
        const GF::THolder<GF::INamedPart> part = data->GetNamedPart(name);
        if (part && part->GetStart() == animation->GetStartTime()) return name;
    }
    return "";
}

// The particle systems drawn on the scene at the fire's layer.
int Fires(const GF::HGENS::CScene& onScene) {
    int fires = 0;
    for (const GF::TDrawablePtr& drawable : onScene.GetDrawables())
        fires += GF::TParticlePtr(drawable.Get()) && drawable->GetLayer() == 1000;
    return fires;
}

using CCookObjectTest = CSampleKitchen;

// The saucepan is a 16 x 16 frame scaled by 4 about (190, 280); its mask is solid where its picture
// draws (the pot's body from row 5 to 14, its handles in rows 7 and 8) and open above it, and its last
// row never hits. Each mask cell is 4 x 4 pixels; the frame's coordinates are truncated toward 0, so
// the cells left of and above the centre start a pixel late.
TEST_F(CCookObjectTest, ThePixelTestHitsSolidCellsOnly) {
    ASSERT_TRUE(loaded);
    const GF::THolder<CCookObject> pan = Place("Devices.saucepan").at(0);
    ASSERT_TRUE(pan->GetAnimation());
    EXPECT_TRUE(pan->IsReady() && pan->IsFree());
    const TPoint<int> centre{190, 280};
    // A screen point whose frame coordinates truncate to the mask cell (mx, my).
    auto cell = [&](int mx, int my) {
        auto along = [](int k) { return 4 * (k - 8) + (k >= 8 ? 2 : -2); };
        return TPoint<int>{centre.x + along(mx), centre.y + along(my)};
    };
    EXPECT_TRUE(pan->HitTest(centre, false));       // the middle of the pot
    EXPECT_FALSE(pan->HitTest(cell(1, 1), false));  // the air above it
    EXPECT_FALSE(pan->HitTest(cell(3, 5), false));
    EXPECT_TRUE(pan->HitTest(cell(4, 5), false));   // the rim's left end
    EXPECT_TRUE(pan->HitTest(cell(15, 8), false));  // a handle
    EXPECT_TRUE(pan->HitTest(cell(13, 9), false));
    EXPECT_FALSE(pan->HitTest(cell(14, 9), false));
    EXPECT_FALSE(pan->HitTest(cell(-1, 8), false));  // outside the box
    CCellMaskInfo& mask = GetLibData().Ingridients.at("Devices.saucepan").Mask;
    mask.Cells[15 * 16 + 8] = 0;
    EXPECT_FALSE(pan->HitTest(cell(8, 15), false));  // a solid cell of the last row

    // A cell list shorter than the mask: cells past its end miss instead of being read.
    mask.Cells.resize(100);
    EXPECT_TRUE(pan->HitTest(cell(5, 5), false));  // cell 85
    EXPECT_FALSE(pan->HitTest(centre, false));     // cell 136

    // Squeezed to nothing across: its box is a line, and the point on it has no place in its frame.
    CPlacedObjectInfo flat = level->Objects.at(0);
    ASSERT_EQ(flat.Name, "Devices.saucepan");
    flat.ScaleX = 0.0f;
    const GF::THolder<CCookObject> squeezed = CCookObject::Create(flat, GetGameScene());
    EXPECT_FALSE(squeezed->HitTest(centre, true));
    squeezed->GetAnimation()->SetScale(4.0f, 4.0f);
    squeezed->GetAnimation()->Update(0.0f);
    EXPECT_TRUE(squeezed->HitTest(cell(5, 5), true));  // the box taken again
}

TEST_F(CCookObjectTest, WithoutThePixelTestTheWholeBoxHitsEdgesIncluded) {
    ASSERT_TRUE(loaded);
    const GF::THolder<CCookObject> griddle = Place("Devices.griddle").at(0);
    const GF::TRect box = griddle->GetAnimation()->GetBoundingBox();
    ASSERT_GT(box.right, box.left);
    for (const TPoint<int> in :
         {TPoint<int>{box.left, box.top}, TPoint<int>{box.right, box.bottom}, Centre(box)})
        EXPECT_TRUE(griddle->HitTest(in, false)) << in.x << "," << in.y;
    for (const TPoint<int> out : {TPoint<int>{box.left - 1, box.top}, TPoint<int>{box.right, box.bottom + 1}})
        EXPECT_FALSE(griddle->HitTest(out, false)) << out.x << "," << out.y;

    // Moved, it is hit where it stands once the box is taken again.
    griddle->GetAnimation()->SetPosition(400.0f, 500.0f);
    griddle->GetAnimation()->Update(0.0f);
    EXPECT_TRUE(griddle->HitTest(Centre(box), false));
    EXPECT_FALSE(griddle->HitTest(Centre(box), true));
    EXPECT_TRUE(griddle->HitTest({400, 500}, false));
}

TEST_F(CCookObjectTest, AnObjectTheLibraryLacksIsSceneryThatIsNeverHitOrPlayed) {
    ASSERT_TRUE(loaded);
    CPlacedObjectInfo stray;
    stray.Name = "Devices.nothing";
    stray.X = 100.0f;
    stray.Y = 100.0f;
    const GF::THolder<CCookObject> object = CCookObject::Create(stray, GetGameScene());
    EXPECT_TRUE(engine.HasLog("Kitchen object \"Devices.nothing\" is not in the library"));
    EXPECT_EQ(GetLibData().FindIngridient("Devices.nothing"), nullptr);
    EXPECT_EQ(object->GetInfo().Kind, 0);
    EXPECT_FALSE(object->GetAnimation());
    EXPECT_FALSE(object->HitTest({0, 0}, true));
    EXPECT_FALSE(object->HitTest({100, 100}, true));
    object->Setup();
    object->SetState();
    Frame();
    EXPECT_TRUE(Heard().empty());
}

TEST_F(CCookObjectTest, DevicesPlayTheirSoundsAndStates) {
    ASSERT_TRUE(loaded);
    const GF::THolder<CCookObject> microwave = Place("Devices.micro_wave").at(0);
    const GF::THolder<CCookObject> pan = Place("Devices.saucepan").at(0);
    const std::string startKey = GetGameData().sounds.at(33).name;
    const std::string doneKey = GetGameData().sounds.at(34).name;
    Heard();

    microwave->Setup();
    Frame();
    EXPECT_EQ(Heard(), (std::vector<std::string>{startKey, "micro_wave_work1"}));
    EXPECT_EQ(PlayedPart(microwave->GetAnimation()), "_work");
    microwave->SetState();
    Frame();
    EXPECT_EQ(Heard(), (std::vector<std::string>{"bell", doneKey}));
    EXPECT_EQ(PlayedPart(microwave->GetAnimation()), "_idle");

    pan->Setup();
    Frame();
    EXPECT_EQ(Heard(), (std::vector<std::string>{"mach_start_oven", "saucepan_work"}));
    pan->SetState();
    Frame();
    const std::vector<std::string> stopped = Heard();
    EXPECT_EQ(stopped.front(), "stop");  // its working sound
    EXPECT_EQ(PlayedPart(pan->GetAnimation()), "_idle");
}

// The two stoves of the level share one fire at layer 1000 on the game scene; a stove dropped while
// it works (a level cleared) puts it out too, and the next level's stove lights a fresh one.
TEST_F(CCookObjectTest, WorkingStovesShareOneFireUntilTheLastStops) {
    ASSERT_TRUE(loaded);
    std::vector<GF::THolder<CCookObject>> stoves = Place("Devices.electric_stove_4");
    ASSERT_EQ(stoves.size(), 2u);
    stoves[0]->Setup();
    stoves[1]->Setup();
    stoves[1]->Setup();  // a second start of a working stove holds no second share
    Frame();
    EXPECT_EQ(Fires(*scene), 1);
    stoves[0]->SetState();
    Frame();
    EXPECT_EQ(Fires(*scene), 1);
    EXPECT_EQ(PlayedPart(stoves[0]->GetAnimation()), "_closed");
    stoves[1]->SetState();
    Frame();
    EXPECT_EQ(Fires(*scene), 0);
    stoves[0]->SetState();  // a stove at rest gives nothing back
    stoves[1]->Setup();
    EXPECT_EQ(Fires(*scene), 1);

    // The level is cleared while the stove works.
    stoves.clear();
    objects.clear();
    scene->Clear();
    const GF::THolder<GF::HGENS::CScene> next = GF::MakeHolder<GF::HGENS::CScene>();
    SetGameScene(GF::THolder<GF::IScene>(next.Get()));
    const GF::THolder<CCookObject> stove = CCookObject::Create(level->Objects.at(3), GetGameScene());
    ASSERT_EQ(stove->GetName(), "Devices.electric_stove_4");
    stove->Setup();
    next->Update(16.0f);
    EXPECT_EQ(Fires(*next), 1);
    EXPECT_EQ(Fires(*scene), 0);
    stove->SetState();
    EXPECT_EQ(Fires(*next), 0);
    next->Clear();
}

using CShowObjectActionTest = CSampleKitchen;

// The level's objects, none shown yet, revealed over one second in frames of 20 ms.
TEST_F(CShowObjectActionTest, DevicesAppearAtOnceAndSceneryInTheSweep) {
    ASSERT_TRUE(loaded);
    PlaceAll();
    CPlacedObjectInfo stray;
    stray.Name = "Devices.nothing";
    objects.push_back(CCookObject::Create(stray, GetGameScene()));
    for (const GF::THolder<CCookObject>& object : objects) object->SetShown(false);
    const GF::THolder<CShowObjectAction> action =
        CShowObjectAction::Create(objects.begin(), objects.end(), 1000.0f);
    queue.StartAction(action);
    for (const GF::THolder<CCookObject>& object : objects) {
        if (!object->GetAnimation()) continue;
        const bool scenery = object->GetInfo().Kind == 0;
        EXPECT_EQ(object->IsReady(), !scenery) << object->GetName();
        EXPECT_EQ(object->GetAnimation()->IsVisible(), !scenery) << object->GetName();
    }
    auto spriteOf = [&](const char* name) {
        for (const GF::THolder<CCookObject>& object : objects)
            if (object->GetName() == name)
                return GF::TSpritePtr(object->GetAnimation()->GetDrawable(0).Get());
        return GF::TSpritePtr();
    };
    const GF::TSpritePtr plant = spriteOf("Scenery.plant"), window = spriteOf("Scenery.window");
    ASSERT_TRUE(plant && window);
    EXPECT_EQ(plant->GetColor(), 0x00000000u);

    for (int f = 0; f < 25; ++f) Frame(20.0f);
    // At t = 0.5 the line is at y = 450: the plant at y = 300 is a = 0.5 behind it, full red tint;
    // the window at y = 60 is past the band, black added: its own colours.
    EXPECT_EQ(plant->GetColor(), hgeColor(0.8f, 0.3f, 0.3f, 1.0f).GetHWColor());
    EXPECT_EQ(window->GetColor(), 0xFF000000u);
    EXPECT_FALSE(action->IsDone());
    for (const GF::THolder<CCookObject>& object : objects)
        if (object->GetInfo().Kind == 0 && object->GetAnimation()) {
            EXPECT_FALSE(object->IsReady());
        }

    for (int f = 0; f < 25; ++f) Frame(20.0f);
    EXPECT_TRUE(action->IsDone());
    for (const GF::THolder<CCookObject>& object : objects) {
        if (!object->GetAnimation()) continue;
        EXPECT_TRUE(object->IsReady()) << object->GetName();
        EXPECT_TRUE(object->GetAnimation()->IsVisible()) << object->GetName();
    }
    // The last colour stays over the frames and follows the opacity.
    for (int f = 0; f < 5; ++f) Frame();
    EXPECT_EQ(plant->GetColor(), 0xFF000000u);
    for (const GF::THolder<CCookObject>& object : objects)
        if (object->GetName() == "Scenery.plant") object->GetAnimation()->SetOpacity(0.5f);
    Frame();
    EXPECT_EQ(plant->GetColor(), 0x7F000000u);
}

TEST_F(CShowObjectActionTest, AnEmptyGroupIsDoneWhenItsTimeIsOver) {
    const std::vector<GF::THolder<CCookObject>> none;
    const GF::THolder<CShowObjectAction> action = CShowObjectAction::Create(none.begin(), none.end(), 100.0f);
    queue.StartAction(action);
    for (int f = 0; f < 6; ++f) Frame();
    EXPECT_FALSE(action->IsDone());
    Frame();
    EXPECT_TRUE(action->IsDone());
}

}  // namespace
