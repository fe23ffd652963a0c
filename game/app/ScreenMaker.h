#pragma once
#include "framework/app/Screen.h"
#include "framework/core/Holder.h"

// Gives a screen class its factory `Create`, the maker the screen registry holds: the screen made
// anew. A screen whose constructor is private names this its friend.
template <class TScreen>
class CScreenMaker {
public:
    static GF::THolder<GF::IScreen> Create() { return GF::THolder<GF::IScreen>(new TScreen); }
};
