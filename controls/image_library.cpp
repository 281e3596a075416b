#include "controls/image_library.h"

namespace {

struct Msimg {
    SystemLibrary library{L"msimg32.dll"};
    decltype(&::TransparentBlt) transparentBlt = nullptr;

    Msimg() { library.take(transparentBlt, "TransparentBlt"); }
};

const Msimg& msimg() {
    static const Msimg loaded;
    return loaded;
}

} // namespace

const SystemLibrary& MsimgLibrary() {
    return msimg().library;
}

BOOL MsimgTransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy,
                         int sw, int sh, UINT transparent) {
    auto transparentBlt = msimg().transparentBlt;
    if (!transparentBlt) return FALSE;
    return transparentBlt(dest, x, y, width, height, source, sx, sy, sw, sh, transparent);
}
