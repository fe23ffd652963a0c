#pragma once
#include <span>

#include "framework/app/GameManager.h"

// One registered screen: the name the flow rules and the screen manager know it by, and its maker.
struct tagScreenEntry {
    const char* name;
    GF::IGameManager::ScreenFactory factory;
};

// Every screen of the game, in the order the application registers them. A screen whose class is
// not built yet is made by a stand-in, so every name the flow table can reach makes a screen.
std::span<const tagScreenEntry> GetScreenRegistry();
