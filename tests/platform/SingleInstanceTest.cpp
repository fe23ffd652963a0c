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

TEST(SingleInstance, LockFileIsNamedAfterTheTitleInAFolderOfTheUser) {
    {
        CScopedEnv runtime("XDG_RUNTIME_DIR", std::string("/run/user/1000"));
        EXPECT_EQ(CSingleInstance::LockPath(kTitle), "/run/user/1000/Quindle Marvolant.lock");
    }
    // Without a runtime folder the lock lies in the save folder (no longer in /tmp, where any user
    // could make it first); a second copy is refused all the same.
    CTempFolder save;
    CScopedEnv saveDir("QUINDLE_SAVE_DIR", save / "saves");
    CScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(CSingleInstance::LockPath(kTitle), save / "saves/Quindle Marvolant.lock");
    CSingleInstance first;
    CSingleInstance second;
    ASSERT_EQ(first.Acquire(kTitle), CSingleInstance::kAcquired);
    EXPECT_EQ(second.Acquire(kTitle), CSingleInstance::kAlreadyRunning);
    EXPECT_TRUE(std::filesystem::is_regular_file(save / "saves/Quindle Marvolant.lock"));
}

// What stands in the lock's place and is not a plain file of the user's never keeps the game from
// starting, and a link, symbolic or hard, never leads to making or locking a file elsewhere.
TEST(SingleInstance, ALinkOrAFileOfSomeoneElseInTheLocksPlaceIsReplaced) {
    CTempFolder folder;
    CScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path());
    const std::string lock = CSingleInstance::LockPath(kTitle);
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
    CScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path());
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

TEST(SingleInstance, MissingRuntimeFolderLetsTheProgramRunWithoutALock) {
    CTempFolder folder;
    CScopedEnv runtime("XDG_RUNTIME_DIR", folder / "gone");
    CSingleInstance lock;
    EXPECT_EQ(lock.Acquire(kTitle), CSingleInstance::kUnavailable);
    EXPECT_FALSE(lock.IsHeld());
}
