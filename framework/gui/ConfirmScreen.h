#pragma once
#include <string>

#include "framework/core/Holder.h"
#include "framework/core/Point.h"
#include "framework/gui/MenuScreen.h"

namespace GF {
namespace HGENS {

// The yes/no dialog that screens open over themselves before a confirming task or button counts
// ("confirm_screen", layout "main_menu.confirm_screen"). Its buttons "yes" and "no", and the keys
// Enter and Escape while it is idle, end it with the result "yes" or "no" after its "_hide". Its
// phrase key picks up to three lines of text: "<key>_01" to "<key>_03" of the text table on the
// layout's children "_phrase_1" to "_phrase_3", each shown only when it has a text. The opener
// reads the result when the dialog raises its Deactivate event. The game derives its dialogs
// from it.
class CConfirmMenuScreen : public CMenuScreenAbstract {
public:
    static constexpr int kPhraseLines = 3;

    CConfirmMenuScreen() = default;
    // Takes its sound delegates off the buttons, which may outlive it in other holders.
    ~CConfirmMenuScreen() override;

    static THolder<IScreen> Create();

    void Initialize(const std::string& layoutName, THolder<IScene> scene, const char* phraseKey) override;
    void OnInitialize() override;
    // Without a layout the dialog answers "yes" at once.
    bool UpdateIdle(const float& dt) override;

    // Shows the lines of the phrase key (any length; null is the empty key) and hides the others.
    virtual void ChoosePhrase(const char* phraseKey);

protected:
    void OnClickSound(THolder<CBaseControl> control, const TPoint<int>& point, int buttons);
    void OnMouseOverSound(THolder<CBaseControl> control);

private:
    void BindAnswer(const std::string& name, int key);
};

}  // namespace HGENS
}  // namespace GF
