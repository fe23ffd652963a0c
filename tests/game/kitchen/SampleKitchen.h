#pragma once
#include <string>
#include <vector>

#include "framework/app/GameSound.h"
#include "framework/scene/Scene.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/kitchen/CookObject.h"
#include "game/kitchen/GameScene.h"
#include "game/kitchen/Pers.h"
#include "tests/game/kitchen/KitchenFixture.h"
#include "tests/game/kitchen/SampleTables.h"

// The sample kitchen level "stage1_1": the built game data, level and library tables from the
// archive, the sample script on the recording engine, the scene as the game scene, the level's floor.
// Frames of 16 ms step the heroine (when there is one), the queue, the scene and the sounds; the
// sounds started are collected by name.
class CSampleKitchen : public CKitchenFixture {
protected:
    CSampleKitchen() {
        std::string why;
        loaded = LoadSampleTables(why);
        EXPECT_TRUE(loaded) << why;
        for (const auto& [key, sound] : GetGameData().sounds) AddSound(sound.name);
        for (const auto& [name, object] : GetLibData().Ingridients) {
            AddSound(object.Label2);
            AddSound(object.Label2 + "1");
        }
        for (const char* name : {"action_move", "waiting", "mach_start_oven", "bell"}) AddSound(name);
        SetGameScene(GF::THolder<GF::IScene>(scene.Get()));
        level = GetLevelsData().FindLevel("stage1_1");
        if (level) SetFloorQuad(level->FloorQuad);
        m_seen = engine.calls.size();
    }
    ~CSampleKitchen() override {
        objects.clear();
        pers.Reset();
        SetGameScene({});
        FloorQuad() = CFloorQuad{};
        GF::HGENS::ParticleRegistry::Clear(nullptr);  // a fire put out burns down on no scene
        GF::HGENS::CGameSound::Instance()->StopAll();
        GetGameData() = m_savedGame;
        GetLevelsData() = m_savedLevels;
        GetLibData() = m_savedLib;
    }

    void AddSound(const std::string& name) {
        if (!name.empty()) engine.AddResource("Sound\\" + name + ".ogg", "x");
    }

    // The level's placed objects of that name, made on the scene in level order.
    std::vector<GF::THolder<CCookObject>> Place(const std::string& name) {
        std::vector<GF::THolder<CCookObject>> made;
        for (const CPlacedObjectInfo& placement : level->Objects)
            if (placement.Name == name) made.push_back(CCookObject::Create(placement, GetGameScene()));
        objects.insert(objects.end(), made.begin(), made.end());
        return made;
    }
    void PlaceAll() {
        for (const CPlacedObjectInfo& placement : level->Objects)
            objects.push_back(CCookObject::Create(placement, GetGameScene()));
    }
    GF::THolder<CPers> MakeHeroine(int appearance = 0) {
        pers = CPers::Create(appearance, level->WalkGrid.begin(), level->WalkGrid.end(), GetGameScene());
        return pers;
    }

    void Frame(float dt = 16.0f) {
        if (pers) pers->Update(dt);
        Step(dt);
        GF::HGENS::CGameSound::Instance()->Update(dt);
    }
    // The sounds started since the last call, by name, and "stop" for every channel stopped.
    std::vector<std::string> Heard() {
        std::vector<std::string> heard;
        const std::string load = "Stream_Load Sound/";
        for (; m_seen < engine.calls.size(); ++m_seen) {
            const std::string& call = engine.calls[m_seen];
            if (call.rfind(load, 0) == 0)
                heard.push_back(call.substr(load.size(), call.size() - load.size() - 4));  // no ".ogg"
            else if (call.rfind("Channel_Stop ", 0) == 0)
                heard.push_back("stop");
        }
        return heard;
    }

    bool loaded = false;
    const CLevelInfo* level = nullptr;
    std::vector<GF::THolder<CCookObject>> objects;
    GF::THolder<CPers> pers;

private:
    const CGameData m_savedGame = GetGameData();
    const CLevelsData m_savedLevels = GetLevelsData();
    const CLibData m_savedLib = GetLibData();
    std::size_t m_seen = 0;
};
