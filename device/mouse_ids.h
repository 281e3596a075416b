// The USB vendor and product ids of the mouse: the one place they are written.
#pragma once
#include <windows.h>

inline constexpr USHORT kPelkoVendorId = 0x2719;
inline constexpr USHORT kPelkoProductId = 0x0604;
