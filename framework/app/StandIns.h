#pragma once
// TEMPORARY SEAMS. Each declaration here stands in for a class or a step that later work builds in
// full (the resource manager). The start-up and the screen manager already call
// them at the right places; whoever builds the real thing deletes its stand-in from this file and
// points the caller at the real one. Nothing else may start using these.

#include <string>

#include "framework/app/GfxEffect.h"
#include "framework/core/Holder.h"
#include "framework/core/RefCount.h"

namespace GF {
namespace StandIn {

// The resource manager: loading the tables at the start, listing textures to the log at the end.
void LoadResources();
void LogTextureList();

}  // namespace StandIn
}  // namespace GF
