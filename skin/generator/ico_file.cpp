#include "ico_file.h"

#include "bmp_header.h"

#include <algorithm>
#include <fstream>

namespace {

bool valid(const IconImage& image) {
    return image.size >= 1 && image.size <= 256 &&
           image.rgba.size() == size_t(image.size) * size_t(image.size) * 4;
}

// 1 bit per pixel, rows padded to 32 bits.
uint32_t maskStride(int size) {
    return (uint32_t(size) + 31) / 32 * 4;
}

uint32_t pixelBytes(const IconImage& image) {
    uint32_t s = uint32_t(image.size);
    return s * s * 4 + maskStride(image.size) * s;
}

uint32_t entryBytes(const IconImage& image) {
    return 40 + pixelBytes(image);
}

void putDirectory(std::ofstream& f, const std::vector<IconImage>& images) {
    put16(f, 0);
    put16(f, 1); // icon
    put16(f, uint16_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (const auto& image : images) {
        f.put(char(image.size & 0xFF)).put(char(image.size & 0xFF)); // 256 is written as 0
        f.put(0).put(0);                                             // no palette, reserved
        put16(f, 1);                                                 // planes
        put16(f, 32);                                                // bits per pixel
        put32(f, entryBytes(image));
        put32(f, offset);
        offset += entryBytes(image);
    }
}

// The bitmap of one image: colour rows and then mask rows, both bottom-up; the header counts
// both halves in its height.
void putImage(std::ofstream& f, const IconImage& image) {
    const int s = image.size;
    putInfoHeader(f, uint32_t(s), uint32_t(s) * 2, 32, pixelBytes(image));
    for (int y = s - 1; y >= 0; --y)
        for (int x = 0; x < s; ++x) {
            const uint8_t* p = &image.rgba[(size_t(y) * s + x) * 4];
            f.put(char(p[2])).put(char(p[1])).put(char(p[0])).put(char(p[3]));
        }
    std::vector<char> row(maskStride(s));
    for (int y = s - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < s; ++x)
            if (image.rgba[(size_t(y) * s + x) * 4 + 3] == 0)
                row[size_t(x) / 8] |= char(0x80 >> (x % 8));
        f.write(row.data(), std::streamsize(row.size()));
    }
}

} // namespace

bool writeIco(const std::string& path, const std::vector<IconImage>& images) {
    if (images.empty() || images.size() > 0xFFFF) return false;
    for (const auto& image : images)
        if (!valid(image)) return false;
    std::ofstream f(path, std::ios::binary);
    putDirectory(f, images);
    for (const auto& image : images)
        putImage(f, image);
    return bool(f);
}
