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
    // Each step as "line: delay command word x y limit".
    const char* const commands[] = {"wait", "move", "click", "key", "text", "close", "quit", "shot"};
    std::vector<std::string> read;
    for (const tagScriptStep& s : steps)
        read.push_back(std::to_string(s.line) + ": " + std::to_string(s.delay) + " " + commands[s.kind] +
                       " " + s.word + " " + std::to_string(s.x) + " " + std::to_string(s.y) + " " +
                       std::to_string(s.limit));
    const std::vector<std::string> expected = {
        "2: 0 wait SplashScreen 0 0 3000",
        "4: 35 click play 0 0 0",
        "5: 0 wait HelpScreen 0 0 200",
        "6: 40 click  20 580 0",
        "7: 5 key Return 0 0 0",
        "8: 3 text Ann Lee 0 0 0",
        "9: 0 move  1 2 0",
        "10: 0 close  0 0 0",
        "11: 60 quit  0 0 0",
        "12: 0 shot replayed_kitchen 0 0 0",
    };
    EXPECT_EQ(read, expected);
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
