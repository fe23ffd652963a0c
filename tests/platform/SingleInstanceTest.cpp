#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/SingleInstance.h"
#include "tests/support/TempFolder.h"

using Platform::CSingleInstance;

namespace {
const char* const kTitle = "Quindle: Marvolant";
}

TEST(SingleInstance, LockFileIsNamedAfterTheTitlePerUser) {
    {
        CScopedEnv runtime("XDG_RUNTIME_DIR", std::string("/run/user/1000"));
        EXPECT_EQ(CSingleInstance::LockPath(kTitle), "/run/user/1000/Quindle Marvolant.lock");
    }
    CScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(CSingleInstance::LockPath(kTitle),
              "/tmp/Quindle Marvolant-" + std::to_string(getuid()) + ".lock");
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
