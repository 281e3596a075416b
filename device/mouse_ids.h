// The mouse's USB identifiers.
#pragma once

#include <windows.h>

inline constexpr USHORT kPelkoVendorId = 0x2719;
inline constexpr USHORT kPelkoProductId = 0x0604;
