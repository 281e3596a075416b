// Host-side generator: writes every test image as a 24-bit BMP and a resource script that
// names them, into the folder given as the first argument.
#include "skin/generator/bmp_file.h"
#include "tests/controls/test_images.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> pixelsOf(const test_images::Image& image) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            test_images::Rgb p = test_images::pixelOf(image, x, y);
            rgb.insert(rgb.end(), {p.r, p.g, p.b});
        }
    return rgb;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_test_images <output folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    std::string script;
    for (const auto& image : test_images::kImages) {
        std::string path = folder + "/image_" + std::to_string(image.id) + ".bmp";
        if (!writeBmp24(path, image.width, image.height, pixelsOf(image))) return 1;
        script += std::to_string(image.id) + " BITMAP \"" + path + "\"\n";
    }
    return writeTextFile(folder + "/images.rc", script) ? 0 : 1;
}
