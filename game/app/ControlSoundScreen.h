#pragma once
#include <typeinfo>
#include <vector>

#include "framework/core/Holder.h"
#include "framework/gui/BaseControl.h"
#include "framework/gui/Button.h"
#include "game/app/GameSounds.h"

// Gives the plain buttons of a menu screen their click and hover sounds, once per screen object,
// the first time the screen goes idle (a return from a sub-screen goes idle again and attaches
// nothing more). Check boxes, sliders, edit fields, list boxes, radio groups and classes derived
// from the button keep quiet.
template <class T>
class CControlSoundScreen : public T {
public:
    void Idle() override {
        T::Idle();
        if (m_controlSoundsAttached) return;
        m_controlSoundsAttached = true;
        AttachSoundsToControls();
    }

    // For screens that override Idle themselves.
    void AttachSoundsToControls() {
        const std::vector<GF::THolder<GF::HGENS::CBaseControl>> controls = this->m_controls;
        for (const GF::THolder<GF::HGENS::CBaseControl>& control : controls) {
            // Taken out of the typeid: clang warns about a call inside one.
            const GF::HGENS::CBaseControl* object = control.Get();
            if (object && typeid(*object) == typeid(GF::HGENS::CButtonControl)) AttachControlSounds(control);
        }
    }

protected:
    bool m_controlSoundsAttached = false;
};
