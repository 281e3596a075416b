// The ICO writer of the build-time image programs (the program's icon).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One square image of an icon: size x size pixels given top-down, four bytes each, red first,
// then straight (not premultiplied) alpha.
struct IconImage {
    int size = 0;
    std::vector<uint8_t> rgba;
};

// Writes an ICO file holding every image as a 32 bits per pixel bitmap with its alpha channel
// and a matching mask (set where alpha is 0). False when the file cannot be written, there is
// no image, or an image is not 1 to 256 pixels square with size * size * 4 bytes.
bool writeIco(const std::string& path, const std::vector<IconImage>& images);
