#include "bmp_file.h"

#include "bmp_header.h"

#include <fstream>

bool writeBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3) {
        return false;
    }
    std::ofstream f(path, std::ios::binary);
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t pixels = stride * uint32_t(height);
    f.put('B').put('M');
    put32(f, 14 + 40 + pixels);
    put32(f, 0);
    put32(f, 14 + 40);
    putInfoHeader(f, uint32_t(width), uint32_t(height), 24, pixels);
    std::vector<char> row(stride, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
            row[size_t(x) * 3] = char(p[2]);
            row[size_t(x) * 3 + 1] = char(p[1]);
            row[size_t(x) * 3 + 2] = char(p[0]);
        }
        f.write(row.data(), std::streamsize(row.size()));
    }
    return bool(f);
}

bool writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
    return bool(f);
}
