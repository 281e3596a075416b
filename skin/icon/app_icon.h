// The program's icon, drawn in the skin's look at any square size.
#pragma once

#include "skin/generator/canvas.h"

// A graphite tile with rounded corners (transparent outside) carrying the brand mark.
Canvas appIcon(int size);
