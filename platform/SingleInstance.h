#pragma once
#include <string>

namespace Platform {

// Lets one copy of the program run per user: an exclusive lock (flock) on a file named after the
// window title in a folder only the user writes: the runtime folder ($XDG_RUNTIME_DIR), else the save
// folder. The file is opened without following links or blocking, and a link or a plain file that is
// not the user's alone is replaced. A directory, a pipe, a device or a socket at its name is refused:
// it is not ours to remove, and without the lock two copies could run. The lock goes with the process,
// so a crashed copy never leaves it taken.
class CSingleInstance {
public:
    enum EResult {
        kAcquired,        // this copy holds the lock
        kAlreadyRunning,  // another copy holds it
        kUnavailable,     // the lock file could not be made; the caller runs without a lock
        kRefused,         // something other than a file stands at its name (Refusal says what)
    };

    CSingleInstance() = default;
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;
    ~CSingleInstance() { Release(); }

    EResult Acquire(const std::string& title);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    // Lets go of the lock whichever object of this process holds it.
    static void ReleaseHeld();

    // The lock file for a title, from the environment as it is now (the save folder is made when
    // it is the one); empty when there is no folder for it.
    static std::string LockPath(const std::string& title);
    // Why the last Acquire answered kRefused, for the player.
    const std::string& Refusal() const { return m_refusal; }

private:
    int m_fd = -1;
    std::string m_refusal;
};

}  // namespace Platform
