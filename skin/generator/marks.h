// The brand mark, shared by the title strip of the backgrounds and the program's icon.
#pragma once

#include "canvas.h"
#include "shapes.h"

// A mouse seen from above: outline and wheel seam in the accent, the wheel lit. The outline
// is stroke pixels wide; the seam and the wheel follow it.
void mouseMark(Canvas& c, Box body, double stroke);
