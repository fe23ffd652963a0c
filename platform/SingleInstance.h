#pragma once
#include <string>

namespace Platform {

// Lets one copy of the program run per user: an exclusive lock (flock) on a file named after the
// window title in the user's runtime folder ($XDG_RUNTIME_DIR, else /tmp with the user id in the
// name). The lock goes with the process, so a crashed copy never leaves it taken.
class CSingleInstance {
public:
    enum EResult {
        kAcquired,        // this copy holds the lock
        kAlreadyRunning,  // another copy holds it
        kUnavailable,     // the lock file could not be made; the caller runs without a lock
    };

    CSingleInstance() = default;
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;
    ~CSingleInstance() { Release(); }

    EResult Acquire(const std::string& title);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

    // The lock file for a title, from the environment as it is now.
    static std::string LockPath(const std::string& title);

private:
    int m_fd = -1;
};

}  // namespace Platform
