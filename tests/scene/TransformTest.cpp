#include <gtest/gtest.h>

#include <cmath>

#include "framework/scene/Transform.h"

namespace {

using GF::TTransform;

TTransform Record(float x, float y, float angle, float sx, float sy, int layer = 0, float opacity = 1.0f) {
    TTransform t;
    t.x = x;
    t.y = y;
    t.angle = angle;
    t.sin = std::sin(angle);
    t.cos = std::cos(angle);
    t.scaleX = sx;
    t.scaleY = sy;
    t.layer = layer;
    t.opacity = opacity;
    return t;
}

TEST(Transform, CombineWeightsTheScaleAndHonoursTheFollowFlags) {
    const TTransform parent = Record(100, 50, 0, 3, 3, 5, 0.5f);
    struct Case {
        const char* what;
        float weight;
        bool position, rotation, scale;
        float x, y, scaleX;
    };
    const Case cases[] = {
        {"everything", 1.0f, true, true, true, 130, 110, 3},      // (10, 20) scaled by 3 about (100, 50)
        {"half the scale", 0.5f, true, true, true, 130, 110, 2},  // the position takes the full scale
        {"no scale", 1.0f, true, true, false, 110, 70, 1},
        {"no position", 1.0f, false, true, true, 10, 20, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTransform child = Record(10, 20, 0, 1, 1, 2, 0.5f);
        child.scaleWeight = c.weight;
        child.followPosition = c.position;
        child.followRotation = c.rotation;
        child.followScale = c.scale;
        child.Combine(parent);
        EXPECT_FLOAT_EQ(child.x, c.x);
        EXPECT_FLOAT_EQ(child.y, c.y);
        EXPECT_FLOAT_EQ(child.scaleX, c.scaleX);
        EXPECT_EQ(child.layer, 7);
        EXPECT_FLOAT_EQ(child.opacity, 0.25f);
    }
    // Without follow-rotation the container's turn neither turns the record nor moves it about.
    TTransform still = Record(10, 0, 0, 1, 1);
    still.followRotation = false;
    still.Combine(Record(0, 0, 1.0f, 1, 1));
    EXPECT_FLOAT_EQ(still.x, 10.0f);
    EXPECT_FLOAT_EQ(still.angle, 0.0f);
}

// Uncombine must give back what Combine maps onto the same place: that is how an animation keeps its
// place on the screen when it moves into a container.
TEST(Transform, UncombineThenCombineGivesTheWorldRecordBack) {
    const TTransform containers[] = {
        Record(0, 0, 0, 1, 1),
        Record(100, -40, 0, 1, 1),
        Record(100, -40, 0.7f, 1, 1),
        Record(100, -40, 0, 2, 0.5f),
        Record(-30, 25, 2.5f, 1.5f, 3, 4, 0.5f),
    };
    for (const TTransform& p : containers) {
        for (int flags = 0; flags < 8; ++flags) {
            for (float weight : {1.0f, 0.5f}) {
                SCOPED_TRACE(testing::Message() << "container (" << p.x << ", " << p.y << ", " << p.angle
                                                << "), flags " << flags << ", weight " << weight);
                TTransform world = Record(250, 130, 0.4f, 1.2f, 0.8f, 9, 0.6f);
                world.followPosition = flags & 1;
                world.followRotation = flags & 2;
                world.followScale = flags & 4;
                world.scaleWeight = weight;
                TTransform back = world;
                back.Uncombine(p);
                back.Combine(p);
                EXPECT_NEAR(back.x, world.x, 1e-3);
                EXPECT_NEAR(back.y, world.y, 1e-3);
                EXPECT_NEAR(back.angle, world.angle, 1e-5);
                EXPECT_NEAR(back.sin, world.sin, 1e-5);
                EXPECT_NEAR(back.cos, world.cos, 1e-5);
                EXPECT_NEAR(back.scaleX, world.scaleX, 1e-5);
                EXPECT_NEAR(back.scaleY, world.scaleY, 1e-5);
                EXPECT_NEAR(back.opacity, world.opacity, 1e-6);
                EXPECT_EQ(back.layer, world.layer);
            }
        }
    }
}

// A container of scale 0 or opacity 0 maps everything onto one point or to nothing: the fields that
// cannot be undone stay as they were instead of becoming infinite.
TEST(Transform, UncombineByAContainerOfScaleOrOpacityZeroStaysFinite) {
    TTransform world = Record(250, 130, 0.4f, 1.2f, 0.8f, 0, 0.6f);
    world.Uncombine(Record(10, 20, 0, 0, 0, 0, 0));
    for (float value : {world.x, world.y, world.scaleX, world.scaleY, world.opacity}) {
        EXPECT_TRUE(std::isfinite(value));
    }
    EXPECT_FLOAT_EQ(world.scaleX, 1.2f);
    EXPECT_FLOAT_EQ(world.opacity, 0.6f);
    // Half the weight of a container of scale -1 also divides by zero.
    TTransform weighted = Record(0, 0, 0, 2, 2);
    weighted.scaleWeight = 0.5f;
    weighted.Uncombine(Record(0, 0, 0, -1, -1));
    EXPECT_FLOAT_EQ(weighted.scaleX, 2.0f);
}

}  // namespace
