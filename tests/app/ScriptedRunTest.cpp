#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/ScriptedRun.h"
#include "framework/app/StartUp.h"
#include "tests/support/TempFolder.h"

using GF::HGENS::ParseInputScript;
using GF::HGENS::tagScriptStep;

// A script as the tour writes one: comments, waits with and without a limit, clicks at points and at
// layout items, keys by their names, typed text with spaces; each step keeps its delay and line.
TEST(ScriptedRunTest, ReadsEveryCommandWithItsDelay) {
    const std::string script =
        "# the title\n"
        "wait SplashScreen\n"
        "\n"
        "35 click play\n"
        "wait HelpScreen 200\n"
        "40 click 20 580\n"
        "5 key Return\n"
        "  3 text Ann Lee  \n"
        "move 1 2\n"
        "close\n"
        "60 quit\n"
        "shot replayed_kitchen\n";
    std::vector<tagScriptStep> steps;
    std::string error;
    ASSERT_TRUE(ParseInputScript(script, steps, error)) << error;
    ASSERT_EQ(steps.size(), 10u);

    EXPECT_EQ(steps[0].kind, tagScriptStep::kWait);
    EXPECT_EQ(steps[0].word, "SplashScreen");
    EXPECT_EQ(steps[0].limit, 3000);
    EXPECT_EQ(steps[0].line, 2);
    EXPECT_EQ(steps[1].kind, tagScriptStep::kClick);
    EXPECT_EQ(steps[1].delay, 35);
    EXPECT_EQ(steps[1].word, "play");
    EXPECT_EQ(steps[2].limit, 200);
    EXPECT_EQ(steps[3].word, "");
    EXPECT_EQ(steps[3].x, 20);
    EXPECT_EQ(steps[3].y, 580);
    EXPECT_EQ(steps[4].kind, tagScriptStep::kKey);
    EXPECT_EQ(steps[4].word, "Return");
    EXPECT_EQ(steps[5].kind, tagScriptStep::kText);
    EXPECT_EQ(steps[5].word, "Ann Lee");
    EXPECT_EQ(steps[5].delay, 3);
    EXPECT_EQ(steps[6].kind, tagScriptStep::kMove);
    EXPECT_EQ(steps[7].kind, tagScriptStep::kClose);
    EXPECT_EQ(steps[8].kind, tagScriptStep::kQuit);
    EXPECT_EQ(steps[8].delay, 60);
    EXPECT_EQ(steps[8].line, 11);
    EXPECT_EQ(steps[9].kind, tagScriptStep::kShot);
    EXPECT_EQ(steps[9].word, "replayed_kitchen");
}

// A script with a line it can't read is refused whole, naming the line, so that a tour never runs
// half a script; so is a script file that isn't there, before the program starts.
TEST(ScriptedRunTest, RefusesWhatItCannotRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"wait A\njump 3\n", "line 2: unknown command \"jump\""},
        {"-5 key Return\n", "line 1: unknown command \"-5\""},
        {"5x key Return\n", "line 1: \"5x\" is no frame count"},
        {"12\n", "line 1: a frame count without a command"},
        {"key NoSuchKey\n", "line 1: can't read \"key NoSuchKey\""},
        {"click 1\n", "line 1: can't read \"click 1\""},
        {"click two words\n", "line 1: can't read \"click two words\""},
        {"wait A 5 6\n", "line 1: can't read \"wait A 5 6\""},
        {"text\n", "line 1: can't read \"text\""},
        {"quit now\n", "line 1: can't read \"quit now\""},
        // A picture's name stays in the pictures' folder.
        {"shot ../kitchen\n", "line 1: can't read \"shot ../kitchen\""},
        {"shot\n", "line 1: can't read \"shot\""},
    };
    for (const auto& [script, message] : cases) {
        std::vector<tagScriptStep> steps;
        std::string error;
        EXPECT_FALSE(ParseInputScript(script, steps, error)) << script;
        EXPECT_EQ(error, message) << script;
        EXPECT_TRUE(steps.empty()) << script;
    }

    CTempFolder folder("quindle-script");
    const CScopedEnv missing("QUINDLE_INPUT_SCRIPT", folder / "none.txt");
    GF::HGENS::tagStartUpOptions options;
    std::string error;
    EXPECT_FALSE(GF::HGENS::CScriptedRun::Install(options, error));
    EXPECT_EQ(error, "Can't read the input script " + folder / "none.txt");
    EXPECT_EQ(options.beforeFrame, nullptr);
}
