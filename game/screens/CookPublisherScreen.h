#pragma once
#include "framework/core/Holder.h"
#include "framework/gui/PublisherScreen.h"

// The publisher's pictures at start-up ("PublisherScreen"), the framework's screen under the game's
// own name.
class CCookPublisherScreen : public GF::HGENS::CPublisherScreen {
public:
    static GF::THolder<GF::IScreen> Create();
};
