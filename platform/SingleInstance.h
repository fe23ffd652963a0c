#pragma once
#include <string>

namespace Platform {

// Lets one copy of the program run on a save folder: an exclusive lock (flock) on a file named after
// the window title in the save folder itself, the thing it guards. Whatever the environment says
// (a desktop session has a runtime folder, a terminal over ssh may not), two copies that would write
// the same "Setting" meet at the same lock. The file is opened without following links or blocking,
// and a link or a plain file that is not the user's alone is replaced. A directory, a pipe, a device
// or a socket at its name is refused: it is not ours to remove, and without the lock two copies could
// run. The lock goes with the process, so a crashed copy never leaves it taken.
class CSingleInstance {
public:
    enum EResult {
        kAcquired,        // this copy holds the lock
        kAlreadyRunning,  // another copy holds it
        kUnavailable,     // the lock file could not be made (Refusal says why); the game must not run
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

    // The lock file for a title in the save folder (made when missing); empty, with the reason in
    // error, when there is no save folder.
    static std::string LockPath(const std::string& title, std::string& error);
    // Why the last Acquire answered kRefused or kUnavailable, for the player.
    const std::string& Refusal() const { return m_refusal; }

private:
    int m_fd = -1;
    std::string m_refusal;
};

}  // namespace Platform
