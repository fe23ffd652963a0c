#pragma once

#include <string>

#include "framework/core/WString.h"

// The text the resources hold under the key; empty when there is none, so a missing text shows blank.
GF::WString ResourceText(const std::string& key);
