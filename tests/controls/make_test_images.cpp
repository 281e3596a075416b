// Host-side generator: writes every test image as a 24-bit BMP and a resource script that
// names them, into the folder given as the first argument.
#include "tests/controls/test_images.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<uint8_t> bmpOf(const test_images::Image& image) {
    uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + pixelBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height)); // bottom-up rows
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i)
        put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            test_images::Rgb p = test_images::pixelOf(image, x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        while (out.size() - rowStart < rowBytes)
            out.push_back(0);
    }
    return out;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
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
        std::string name = "image_" + std::to_string(image.id) + ".bmp";
        std::vector<uint8_t> bmp = bmpOf(image);
        if (!writeFile(folder + "/" + name, std::string(bmp.begin(), bmp.end()))) return 1;
        script += std::to_string(image.id) + " BITMAP \"" + folder + "/" + name + "\"\n";
    }
    return writeFile(folder + "/controls_test_images.rc", script) ? 0 : 1;
}
