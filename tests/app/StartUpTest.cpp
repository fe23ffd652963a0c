#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/app/StartUp.h"
#include "framework/core/GameProperties.h"
#include "platform/SingleInstance.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingEngine.h"
#include "tests/support/StandInApplication.h"
#include "tests/support/TempFolder.h"

using namespace GF::HGENS;

namespace {

int g_machineChecks = 0;
Platform::tagMachineCheck g_machine;
Platform::tagMachineCheck FakeMachineCheck() {
    ++g_machineChecks;
    return g_machine;
}

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_machineChecks = 0;
        g_machine = {true, 32, "", nullptr};
        engine.SetMaxFrames(3);
        options.checkMachine = FakeMachineCheck;
        options.createApplication = [](HGE* hge) -> std::unique_ptr<CApplication> {
            return std::make_unique<CStandInApplication>(hge);
        };
        GF::GetGameProperties()->SetString("TestLevelFromLevelEditor").clear();
    }

    CTempFolder saveFolder;
    CTempFolder runtimeFolder;
    CScopedEnv saveDir{"QUINDLE_SAVE_DIR", saveFolder.Path()};
    CScopedEnv runtimeDir{"XDG_RUNTIME_DIR", runtimeFolder.Path()};
    CRecordingEngine engine;
    tagStartUpOptions options;
    CMessageBoxRecorder messageBoxes;
};

}  // namespace

TEST_F(StartUpTest, EngineIsSetUpInOrderThenTheApplicationRunsAndEnds) {
    EXPECT_EQ(RunProgram({"quindle"}, options), 0);

    const std::vector<std::string> setUp = {
        "SetString 28 " + saveFolder.Path() + "/log.txt",
        "SetFunc 1",
        "SetString 7 Quindle: Marvolant",
        "SetBool 11 1",
        "SetFunc 3",
        "SetFunc 2",
        "SetFunc 4",
        "SetBool 18 1",
        "SetInt 20 0",
        "SetInt 21 0",
        "SetInt 8 800",
        "SetInt 9 600",
        "SetInt 23 -1",
        "SetBool 25 0",
        "System_Initiate",
        "Resource_AttachPack resource.dat",
        "SetBool 11 0",  // no settings file yet: full screen
        "System_Start",
    };
    ASSERT_GE(engine.calls.size(), setUp.size());
    EXPECT_EQ(std::vector<std::string>(engine.calls.begin(), engine.calls.begin() + setUp.size()), setUp);
    EXPECT_EQ(engine.calls.back(), "System_Shutdown");
    EXPECT_EQ(engine.framesRun, 3);
    // The publisher screen without pictures: "starting" in the first frame, hidden in the second,
    // and in the third the new-player screen follows it.
    EXPECT_TRUE(engine.HasLog("Create screen \"PublisherScreen\""));
    EXPECT_TRUE(engine.HasLog("Create screen \"new_player_screen\""));
    // The resources were loaded before the first screen and let go at the end.
    EXPECT_TRUE(engine.HasLog("-------------------------------Texture--------------------------"));
    EXPECT_TRUE(engine.HasLog("mutext rel"));

    EXPECT_EQ(GF::GetGameProperties()->m_screenWidth, 800);
    EXPECT_EQ(GF::GetGameProperties()->m_screenHeight, 600);
    EXPECT_EQ(GF::GetGameProperties()->GetString("TestLevelFromLevelEditor"), u"");
    EXPECT_TRUE(std::filesystem::exists(saveFolder / "Setting"));  // saved at the end
    EXPECT_EQ(g_machineChecks, 1);
    EXPECT_TRUE(messageBoxes.messages.empty());

    // The lock went with the program.
    Platform::CSingleInstance next;
    EXPECT_EQ(next.Acquire(kWindowTitle), Platform::CSingleInstance::kAcquired);
}

TEST_F(StartUpTest, CompileModeRunsAloneOnlyWithBothFileNames) {
    EXPECT_NE(RunProgram({"quindle", "/cr", "effects.as", "effects.bs"}, options), 0);
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_EQ(g_machineChecks, 0);

    // Three tokens: an ordinary start whose command line names a test level.
    EXPECT_EQ(RunProgram({"quindle", "/cr", "level_3"}, options), 0);
    EXPECT_TRUE(engine.HasCall("System_Start"));
    EXPECT_EQ(GF::GetGameProperties()->GetString("TestLevelFromLevelEditor"), u"/cr level_3");
}

TEST_F(StartUpTest, CommandLineTextIsCutTo511Units) {
    EXPECT_EQ(CommandLineText({"quindle"}), u"");
    EXPECT_EQ(CommandLineText({"quindle", "level", "\xC3\xA9t\xC3\xA9"}), u"level \u00e9t\u00e9");
    EXPECT_EQ(CommandLineText({"quindle", std::string(600, 'x')}).size(), 511u);
    // A character outside the first 65536 is two units; it is never cut in half.
    const std::string smile = "\xF0\x9F\x98\x80";
    const GF::WString cut = CommandLineText({"quindle", std::string(509, 'x') + smile + "y"});
    EXPECT_EQ(cut.size(), 511u);
    EXPECT_EQ(CommandLineText({"quindle", std::string(510, 'x') + smile}).size(), 510u);
}

TEST_F(StartUpTest, SecondInstanceEndsSilentlyBeforeTheEngine) {
    Platform::CSingleInstance first;
    ASSERT_EQ(first.Acquire(kWindowTitle), Platform::CSingleInstance::kAcquired);
    EXPECT_EQ(RunProgram({"quindle"}, options), 0);
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(messageBoxes.messages.empty());
}

TEST_F(StartUpTest, FailedMachineCheckShowsItsMessageAndEnds) {
    g_machine = {false, 24, "Please change color depth to 16 or 32 bit", nullptr};
    EXPECT_EQ(RunProgram({"quindle"}, options), 1);
    EXPECT_EQ(messageBoxes.messages,
              std::vector<std::string>{"Quindle: Marvolant: Please change color depth to 16 or 32 bit"});
    EXPECT_TRUE(engine.calls.empty());
}

TEST_F(StartUpTest, EngineThatCannotStartShowsItsErrorAndShutsDown) {
    engine.FailInitiate(true);
    EXPECT_EQ(RunProgram({"quindle"}, options), 1);
    EXPECT_EQ(messageBoxes.messages, std::vector<std::string>{"Quindle: Marvolant: recording engine"});
    EXPECT_FALSE(engine.HasCall("System_Start"));
    EXPECT_EQ(engine.calls.back(), "System_Shutdown");
    Platform::CSingleInstance next;
    EXPECT_EQ(next.Acquire(kWindowTitle), Platform::CSingleInstance::kAcquired);
}

// A save folder others can write, or one that can't be made (its place is a plain file), ends the
// start with a message naming it: the game never plays without its lock.
TEST_F(StartUpTest, ASaveFolderThatCantBeUsedEndsTheStartNamingIt) {
    const std::string blocked = saveFolder.Path() + "/plain/save";
    const struct {
        const char* what;
        std::string folder;
        std::string message;
    } cases[] = {
        {"others can write it", saveFolder.Path(), saveFolder.Path() + " can be written by other users"},
        {"it can't be made", blocked, "No save folder for the game: Can't create " + blocked},
    };
    std::ofstream(saveFolder.Path() + "/plain") << "not a folder";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CScopedEnv folder{"QUINDLE_SAVE_DIR", c.folder};
        if (c.folder == saveFolder.Path())
            std::filesystem::permissions(c.folder, std::filesystem::perms::all);
        messageBoxes.messages.clear();
        EXPECT_EQ(RunProgram({"quindle"}, options), 1);
        ASSERT_EQ(messageBoxes.messages.size(), 1u);
        EXPECT_NE(messageBoxes.messages[0].find(c.message), std::string::npos) << messageBoxes.messages[0];
        EXPECT_TRUE(engine.calls.empty());
        std::filesystem::permissions(saveFolder.Path(), std::filesystem::perms::owner_all);
    }
    // No log, no settings.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(saveFolder.Path()), {}), 1);
}
