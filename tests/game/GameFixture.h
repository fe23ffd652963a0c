#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/GameManager.h"
#include "framework/core/GameProperties.h"
#include "framework/core/Keyset.h"
#include "framework/core/MemoryStreams.h"
#include "framework/resources/Resource.h"
#include "framework/scene/ObjectMakers.h"
#include "game/app/Application.h"
#include "game/app/GameData.h"
#include "game/app/LevelsData.h"
#include "game/app/LibData.h"
#include "game/app/ShowHideEffectScreen.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/ResourceBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextTableWriter.h"

// A flow rule for the tables of the game's tests: the rule's screen, the last main screen it wants
// ("None": any), the result ("none": any) and the target ("None": none), replacing all screens on
// the placeholder layout unless `over` shows the target over the reporting screen.
inline CFlowRule Rule(const std::string& screen, const std::string& argument, const std::string& target,
                      bool over = false) {
    CFlowRule rule;
    rule.enabled = true;
    rule.screen = screen;
    rule.event = "None";
    rule.argument = argument;
    rule.target = target;
    rule.switchKind = over;
    rule.switchName = over ? "main_menu.confirm_exit_screen" : "interfaces.placeholder";
    rule.effect = target;
    return rule;
}

// A number condition (variable op number), an or-separator, a number action (op 0 assigns, 6 adds)
// and a string action.
inline CFlowCondition If(int32_t variable, int32_t operation, float number) {
    CFlowCondition condition;
    condition.variable = variable;
    condition.operation = operation;
    condition.valueType = 1;
    condition.number = number;
    return condition;
}
inline CFlowCondition Or() {
    CFlowCondition separator;
    separator.operation = 7;
    return separator;
}
inline CFlowCondition Set(int32_t variable, float number, int32_t operation = 0) {
    return If(variable, operation, number);
}
inline CFlowCondition SetText(int32_t variable, const std::string& text) {
    CFlowCondition action;
    action.variable = variable;
    action.valueType = 0;
    action.text = text;
    return action;
}

// The game's application over the recording engine: the sample resource script, a small text table,
// data files written by the game's writers into the engine's resources, a temporary save folder and
// the real screen manager with the game's screens. Frames are stepped by hand.
class CGameFixture : public testing::Test {
protected:
    CGameFixture() {
        properties->m_screenWidth = 640;
        properties->m_screenHeight = 480;
        GF::HGENS::InstallSceneObjectMakers();
        engine.AddResource("Animation\\effects.as", ReadSampleScript());
        engine.AddResource("Binary\\textdata.txt",
                           WriteTextTable({{"confirm_exit_screen_01", u"Close?"}, {"item_ok", u"OK"}}));
        data.players.version = 2;
        data.players.players[u""];
        SetLevelData();
    }
    ~CGameFixture() override {
        if (app) app->End();
        app.reset();
        GF::GetGameManager()->Shutdown();
        GF::GetResource()->Clear();
        const GF::THolder<GF::CKeyset> keys = GF::GetKeyset();
        for (int key = 0; key < GF::CKeyset::kKeyCount; ++key) keys->SetDown(key, false);
        properties->m_screenWidth = m_savedWidth;
        properties->m_screenHeight = m_savedHeight;
    }

    static std::string ReadSampleScript() {
        const std::filesystem::path path =
            std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
            "content/Animation/effects.as";
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Writes `data` as "gamedata.bin" into the folder.
    void PutGameData(const std::string& folder = "Binary\\") {
        GF::CMemoryOutputStream out;
        WriteGameData(out, data);
        engine.AddResource(folder + "gamedata.bin", out.data);
    }
    // Empty level and library tables.
    void SetLevelData() {
        CLevelsData levels;
        GF::CMemoryOutputStream levelBytes;
        WriteLevelsData(levelBytes, levels);
        engine.AddResource("Binary\\levelsdata.bin", levelBytes.data);
        CLibData library;
        GF::CMemoryOutputStream libraryBytes;
        WriteLibData(libraryBytes, library);
        engine.AddResource("Binary\\libdata.bin", libraryBytes.data);
    }

    bool Start() {
        PutGameData();
        app = std::make_unique<CApplication>(&engine);
        return app->Start();
    }

    // One frame of 100 ms; the top screen's name after it, "end" when none is left.
    std::string Frame() {
        if (!GF::GetGameManager()->Update(100.0f)) return "end";
        return Top()->GetName();
    }
    // Frames until the top screen changes (at most 30); its name.
    std::string Next() {
        const std::string before = TopName();
        std::string now = before;
        for (int frame = 0; frame < 30 && now == before; ++frame) now = Frame();
        return now;
    }
    static GF::THolder<GF::IScreen> Top() { return GF::GetGameManager()->GetTopScreen(); }
    static std::string TopName() {
        const GF::THolder<GF::IScreen> top = Top();
        return top ? top->GetName() : "end";
    }
    static void Finish(const std::string& result) { Top()->Finish(result, kScreenFinishFlags); }

    std::string SettingsPath() const { return saveFolder / "Setting"; }
    std::vector<unsigned char> ReadSettings() const {
        std::ifstream in(SettingsPath(), std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }

    GF::THolder<GF::CGameProperties> properties = GF::GetGameProperties();
    const int m_savedWidth = properties->m_screenWidth;
    const int m_savedHeight = properties->m_screenHeight;
    CRecordingEngine engine;
    CTempFolder dataFolder{"quindle-game"};
    CScopedEnv dataDir{"QUINDLE_DATA_DIR", dataFolder.Path()};
    CTempFolder saveFolder{"quindle-save"};
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", saveFolder.Path()};
    CObjectMakersScope makersScope;
    CMessageBoxRecorder messageBoxes;
    CGameData data;
    std::unique_ptr<CApplication> app;
};
