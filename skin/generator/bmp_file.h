// The one BMP writer of the build-time image programs (the skin and the tests' own images).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes an uncompressed, bottom-up, 24 bits per pixel BMP file from pixels given top-down,
// three bytes each, red first. False when the file cannot be written or the sizes disagree.
bool writeBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// Writes a text file (the resource scripts that name the images).
bool writeTextFile(const std::string& path, const std::string& text);
