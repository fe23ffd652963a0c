#pragma once
// The resource script run as the game runs it, into the resource manager's tables, for the content
// tools that check what the tables then hold.
#include <string>

#include "framework/core/Holder.h"
#include "framework/resources/Resource.h"

// The tables the script fills; empty, with the reason, when it can't be read, built or run.
GF::THolder<GF::HGENS::CResource> RunResourceScript(const std::string& file, std::string& why);
