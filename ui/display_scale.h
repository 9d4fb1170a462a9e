// Display scale for the windows: the one rule lives with the skin code, which
// scales skins by it too.
#pragma once
#include "skin/display_scale.h"
