#pragma once
#include "framework/core/Holder.h"
#include "framework/scene/IScene.h"

// The scene of the level being played, kept for the whole process: the game screen puts its scene
// here, and the kitchen's objects, orders, actions and effects create their animations in it by name.
// Empty while no level runs.
GF::THolder<GF::IScene> GetGameScene();
void SetGameScene(const GF::THolder<GF::IScene>& scene);
