#include "game/screens/CookPublisherScreen.h"

GF::THolder<GF::IScreen> CCookPublisherScreen::Create() {
    return GF::THolder<GF::IScreen>(new CCookPublisherScreen);
}
