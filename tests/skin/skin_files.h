// Where the built skin libraries are, and a view of the pixels of a bitmap resource.
#pragma once

#include "tests/skin/pe_image.h"
#include "tests/support/beside_program.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const wchar_t* kSkinFile = L"VID_2719&PID_0604&MI_01.dll";

// The release library of the build of `platform` ("win32" or "win64"): beside this program for
// its own build, else in the other build's folder (the build folders share one root).
std::wstring skinOfBuild(const std::wstring& platform);

// Pixels of an uncompressed 24-bit bitmap resource (BITMAPINFOHEADER and rows).
struct DibView {
    bool valid = false;
    int width = 0, height = 0, bitCount = 0, compression = -1;
    const uint8_t* rows = nullptr;
    size_t stride = 0;

    explicit DibView(const std::vector<uint8_t>* resource);
    // Colour as 0x00BBGGRR (a COLORREF); y counts from the top.
    uint32_t pixel(int x, int y) const;
    bool operator==(const DibView& other) const;
};

inline constexpr uint32_t kMagenta = 0xFF00FF;
inline constexpr uint32_t kGreen = 0x00FF00;
