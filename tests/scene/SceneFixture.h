#pragma once
#include <gtest/gtest.h>

#include <string>

#include "framework/resources/Resource.h"
#include "framework/scene/IAnimation.h"
#include "framework/scene/IObjectAnimation.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"

// The scene layer's suites: the live-object makers installed, the process-wide resource manager
// filled through a builder (module "test"), a recording engine and one scene. The scene is cleared
// and the resource manager let go at the end, so the next test starts from empty tables.
template <class Engine = CRecordingEngine>
class TSceneFixture : public testing::Test {
protected:
    TSceneFixture() {
        GF::HGENS::InstallSceneObjectMakers();
        GF::HGENS::FrameRateCounter() = {};
        build.Module("test");
    }
    ~TSceneFixture() override {
        scene->Clear();
        resource->Clear();
    }

    // A new animation of "test.<name>" on the scene, playing the part for ever.
    GF::TAnimationPtr Show(const std::string& name, const char* part = "all") {
        GF::TAnimationPtr animation = scene->CreateAnimation("test." + name);
        EXPECT_TRUE(animation) << name;
        if (animation) {
            EXPECT_TRUE(animation->Play(part, -1, false)) << name << " " << part;
        }
        return animation;
    }

    // One frame of dt milliseconds: the scene's update, then its draw.
    void Frame(float dt = 0.0f) {
        scene->Update(dt);
        scene->Render();
    }

    // The child of that name as its class; null when it has none or it is of another class.
    template <class T>
    static T* Child(const GF::TAnimationPtr& animation, const std::string& name) {
        GF::TObjectAnimationPtr child = animation ? animation->FindObject(name) : GF::TObjectAnimationPtr();
        return child ? dynamic_cast<T*>(child.Get()) : nullptr;
    }

    Engine engine;
    CObjectMakersScope makersScope;
    GF::THolder<GF::HGENS::CResource> resource = GF::GetResource();
    CResourceBuilder build{*resource};
    GF::THolder<GF::HGENS::CScene> scene = GF::MakeHolder<GF::HGENS::CScene>();
};
