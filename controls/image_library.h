// msimg32.dll, taken from Windows' own folder at the first use instead of being imported: the
// transparent copy that draws the skin images.
#pragma once

#include "framework/system_library.h"

// msimg32.dll as the controls load it: the program's start reports a missing library or
// function before anything is drawn.
const SystemLibrary& MsimgLibrary();

// msimg32's TransparentBlt; FALSE when the library or the function is missing.
BOOL MsimgTransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                         int sw, int sh, UINT transparent);
