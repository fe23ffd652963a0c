#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/gui/MenuScreen.h"
#include "game/screens/ControlSoundScreen.h"
#include "game/screens/ShowHideEffectScreen.h"

// What a registered screen shows until its own class is built: a panel on the layout
// "interfaces.placeholder" naming the screen, left with "back" by its button "ok", Enter or Escape.
// It takes its own layout whatever layout the flow names, so the flow table can name the real ones.
// It opens and closes behind the window shades, its button sounding, like the screens it stands for.
class CPlaceholderScreen
    : public CShowHideEffectScreen<CControlSoundScreen<GF::HGENS::CMenuScreenAbstract>, 1> {
public:
    static constexpr const char* kLayout = "interfaces.placeholder";

    static GF::THolder<GF::IScreen> Create();

    void Initialize(const std::string& layoutName, GF::THolder<GF::IScene> scene,
                    const char* phraseKey) override;
    void OnInitialize() override;
};
