#include "tests/skin/skin_files.h"

#include <windows.h>

#include <cstring>

std::wstring skinOfBuild(const std::wstring& platform) {
    if (platform == PELKO_PLATFORM) return besideProgram(kSkinFile);
    return PELKO_BUILD_ROOT + (L"/" + platform) + L"/bin/" + kSkinFile;
}

DibView::DibView(const std::vector<uint8_t>* resource) {
    if (resource == nullptr || resource->size() < sizeof(BITMAPINFOHEADER)) return;
    BITMAPINFOHEADER header;
    std::memcpy(&header, resource->data(), sizeof header);
    width = header.biWidth;
    height = header.biHeight;
    bitCount = header.biBitCount;
    compression = int(header.biCompression);
    stride = (size_t(width) * 3 + 3) & ~size_t(3);
    size_t needed = header.biSize + stride * size_t(height > 0 ? height : 0);
    valid = header.biSize == sizeof header && header.biPlanes == 1 && width > 0 && height > 0 &&
            bitCount == 24 && compression == BI_RGB && header.biClrUsed == 0 &&
            resource->size() >= needed;
    if (valid) rows = resource->data() + header.biSize;
}

uint32_t DibView::pixel(int x, int y) const {
    const uint8_t* p = rows + stride * size_t(height - 1 - y) + size_t(x) * 3;
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
}

bool DibView::operator==(const DibView& other) const {
    if (!valid || !other.valid || width != other.width || height != other.height) return false;
    return std::memcmp(rows, other.rows, stride * size_t(height)) == 0;
}
