#pragma once
#include "framework/core/Holder.h"
#include "framework/gui/MenuScreen.h"
#include "framework/gui/SplashDrawable.h"

namespace GF {
namespace HGENS {

// The program's first screen: the start-up pictures of the splash drawable, one after another;
// when the last has faded out the screen ends with the result "starting" (after its layout's
// "_hide", when it has a layout), on which the game moves on. The game registers its own subclass.
class CPublisherScreen : public CMenuScreenAbstract {
public:
    static constexpr const char* kResultStarting = "starting";

    static THolder<IScreen> Create();

    // Makes the splash drawable, loads its first picture and puts it on the scene. The Initialize
    // event is not raised.
    void OnInitialize() override;
    // Steps the pictures (in every phase), announces "starting" once they are done, then runs the
    // phase and the scene as every screen does.
    bool Update(const float& dt) override;

private:
    THolder<CSpalshDrawable> m_splash;
};

}  // namespace HGENS
}  // namespace GF
