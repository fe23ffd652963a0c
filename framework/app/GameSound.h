#pragma once
#include <list>
#include <string>
#include <unordered_map>

#include "engine/Hge.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"
#include "framework/resources/Snd.h"
#include "framework/scene/Param.h"

namespace GF {
namespace HGENS {

// The one sound-effect manager: plays short sounds by name, each request on its own engine stream,
// and refuses a request that would start too close to an earlier one of the same sound, so that a
// sound many objects ask for at one moment is heard once. The screen manager steps it every frame;
// the focus handlers pause and resume it.
class CGameSound : public CRefCount {
public:
    // One queued or playing request.
    struct SoundData {
        THolder<ISnd> sound;
        int playsLeft = 1;
        float time = 0.0f;  // milliseconds; negative while the delay runs, started once above 0
        HCHANNEL channel = 0;
        // Paused by PauseAll: the instance is alive whatever the engine says of its channel, and it
        // is the only kind of instance ResumeAll resumes.
        bool paused = false;
    };
    using TSoundList = CContainerRef<std::list<SoundData>>;

    // The process-wide manager, made on first use.
    static THolder<CGameSound> Instance();

    ~CGameSound() override;

    // Queues one play of the named sound after `delay` milliseconds, unless an instance of it started
    // or is due to start within `interval` milliseconds of the new one's start. Negative values
    // count as 0.
    void PlaySound(const std::string& name, float delay, float interval);
    // Stops every instance of the name and forgets it.
    void StopSound(const std::string& name);
    // Starts the instances that are due (at the "SoundVolume" of this frame) and drops the finished.
    void Update(const float& dt);
    void PauseAll();
    void ResumeAll();
    // Stops every instance; the names stay known, with empty lists.
    void StopAll();
    // Whether the name was asked for since it was last stopped by name, whether or not a sound of
    // that name exists (for scripted runs that listen for the game's sound keys).
    bool WasAskedFor(const std::string& name) const { return m_instances.count(name) != 0; }

private:
    std::unordered_map<std::string, THolder<TSoundList>> m_instances;
};

// The framework's own dialogs play these by name: a click and a hover.
inline constexpr const char* kDialogClickSound = "click_menu";
inline constexpr const char* kDialogHoverSound = "mouse_over";

}  // namespace HGENS
}  // namespace GF
