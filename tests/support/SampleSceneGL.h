#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "framework/resources/Resource.h"
#include "framework/resources/TextTable.h"
#include "framework/scene/ObjectMakers.h"
#include "framework/scene/Scene.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ResourceBuilder.h"

// The built sample archive, loaded as the game loads it, on a real engine with a 320 x 240 picture
// (or one of the size given), and a scene to draw into it.
class CSampleSceneGL : public testing::Test {
protected:
    static constexpr DWORD kBlack = 0xFF000000;

    CSampleSceneGL() = default;
    CSampleSceneGL(int width, int height) : engine(width, height), m_width(width), m_height(height) {}

    void SetUp() override {
        ASSERT_TRUE(engine.Ready()) << engine.Error();
        ASSERT_TRUE(engine->Resource_AttachPack("resource.dat"));
        GF::HGENS::InstallSceneObjectMakers();
        resource->Load();
    }
    void TearDown() override {
        scene->Clear();
        resource->Clear();
        engine->Resource_RemoveAllPacks();
        GF::HGENS::CTextTable::Instance().Load();  // nothing attached: the process-wide table empty again
    }

    // The scene (or what `paint` draws instead) over black.
    CEngineFixture::Pixels Draw(const std::function<void()>& paint = {}) {
        return engine.DrawInto(
            m_width, m_height, kBlack, paint ? paint : [this] { scene->Render(); });
    }

    CEngineFixture engine{320, 240};
    CObjectMakersScope makersScope;
    GF::THolder<GF::HGENS::CResource> resource = GF::GetResource();
    GF::THolder<GF::HGENS::CScene> scene = GF::MakeHolder<GF::HGENS::CScene>();

private:
    int m_width = 320;
    int m_height = 240;
};
