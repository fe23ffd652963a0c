#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/SingleInstance.h"
#include "tests/support/TempFolder.h"

using Platform::CSingleInstance;

namespace {
const char* const kTitle = "Quindle: Marvolant";
}

// The lock lies with what it guards, the save folder: a copy started from the desktop (a runtime
// folder set) and one started from a terminal (none) meet at the same lock.
TEST(SingleInstance, CopiesOnOneSaveFolderMeetAtOneLockWhateverTheRuntimeFolder) {
    CTempFolder folder;
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", folder / "saves");
    std::string error;
    EXPECT_EQ(CSingleInstance::LockPath(kTitle, error), folder / "saves/Quindle Marvolant.lock");
    CSingleInstance desktop;
    {
        CScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path());
        ASSERT_EQ(desktop.Acquire(kTitle), CSingleInstance::kAcquired);
    }
    CScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    CSingleInstance terminal;
    EXPECT_EQ(terminal.Acquire(kTitle), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "saves/Quindle Marvolant.lock"));
}

// What stands in the lock's place and is not a plain file of the user's never keeps the game from
// starting, and a link, symbolic or hard, never leads to making or locking a file elsewhere.
TEST(SingleInstance, ALinkOrAFileOfSomeoneElseInTheLocksPlaceIsReplaced) {
    CTempFolder folder;
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", folder.Path());
    std::string error;
    const std::string lock = CSingleInstance::LockPath(kTitle, error);
    const std::string elsewhere = folder / "elsewhere";
    std::filesystem::create_symlink(elsewhere, lock);
    {
        CSingleInstance instance;
        EXPECT_EQ(instance.Acquire(kTitle), CSingleInstance::kAcquired);
        EXPECT_FALSE(std::filesystem::exists(elsewhere));
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(lock)));
        CSingleInstance second;
        EXPECT_EQ(second.Acquire(kTitle), CSingleInstance::kAlreadyRunning);
    }

    // A second name of another file (a hard link): that file is neither locked nor touched.
    std::filesystem::remove(lock);
    { std::ofstream(elsewhere) << "keep"; }
    std::filesystem::create_hard_link(elsewhere, lock);
    {
        CSingleInstance instance;
        EXPECT_EQ(instance.Acquire(kTitle), CSingleInstance::kAcquired);
        EXPECT_FALSE(std::filesystem::equivalent(elsewhere, lock));
        EXPECT_EQ(std::filesystem::hard_link_count(elsewhere), 1u);
        EXPECT_EQ(std::filesystem::hard_link_count(lock), 1u);
        std::ifstream in(elsewhere);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
    }

    // Another user's file: only root can give one away, so elsewhere this part has nothing to try.
    if (chown(lock.c_str(), 65534, 65534) != 0) return;
    CSingleInstance instance;
    EXPECT_EQ(instance.Acquire(kTitle), CSingleInstance::kAcquired);
    struct stat info {};
    ASSERT_EQ(stat(lock.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, getuid());
}

TEST(SingleInstance, SecondInstanceIsRefusedUntilTheFirstLetsGo) {
    CTempFolder folder;
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", folder.Path());
    CSingleInstance first;
    CSingleInstance second;
    ASSERT_EQ(first.Acquire(kTitle), CSingleInstance::kAcquired);
    EXPECT_EQ(second.Acquire(kTitle), CSingleInstance::kAlreadyRunning);
    EXPECT_FALSE(second.IsHeld());

    // Another process is refused too.
    const pid_t child = fork();
    if (child == 0) {
        CSingleInstance other;
        _exit(other.Acquire(kTitle) == CSingleInstance::kAlreadyRunning ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    first.Release();
    EXPECT_EQ(second.Acquire(kTitle), CSingleInstance::kAcquired);
}

// Where the lock can't be made the game does not start: the caller is told why.
TEST(SingleInstance, WithoutASaveFolderThereIsNoLockAndTheReasonIsSaid) {
    CTempFolder folder;
    { std::ofstream(folder / "file") << "x"; }
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", folder / "file/saves");
    CSingleInstance lock;
    EXPECT_EQ(lock.Acquire(kTitle), CSingleInstance::kUnavailable);
    EXPECT_FALSE(lock.IsHeld());
    EXPECT_NE(lock.Refusal().find(folder / "file"), std::string::npos) << lock.Refusal();
}
