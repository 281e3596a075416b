// Little-endian fields and the BITMAPINFOHEADER shared by the BMP and ICO writers.
#pragma once

#include <cstdint>
#include <ostream>

inline void put16(std::ostream& f, uint16_t v) {
    f.put(char(v & 0xFF)).put(char(v >> 8));
}

inline void put32(std::ostream& f, uint32_t v) {
    put16(f, uint16_t(v & 0xFFFF));
    put16(f, uint16_t(v >> 16));
}

// An uncompressed (BI_RGB) BITMAPINFOHEADER; a positive height means bottom-up rows.
inline void putInfoHeader(std::ostream& f, uint32_t width, uint32_t height, uint16_t bitCount,
                          uint32_t imageSize) {
    put32(f, 40);
    put32(f, width);
    put32(f, height);
    put16(f, 1);
    put16(f, bitCount);
    put32(f, 0); // BI_RGB
    put32(f, imageSize);
    put32(f, 2835);
    put32(f, 2835);
    put32(f, 0);
    put32(f, 0);
}
