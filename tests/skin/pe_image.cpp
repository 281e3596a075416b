#include "pe_image.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {
constexpr uint32_t kStringType = 6;
}

uint32_t PeImage::u32(int64_t o) const {
    if (o < 0 || o + 4 > int64_t(bytes_.size())) return 0;
    return bytes_[o] | bytes_[o + 1] << 8 | bytes_[o + 2] << 16 | uint32_t(bytes_[o + 3]) << 24;
}

uint16_t PeImage::u16(int64_t o) const {
    if (o < 0 || o + 2 > int64_t(bytes_.size())) return 0;
    return uint16_t(bytes_[o] | bytes_[o + 1] << 8);
}

int64_t PeImage::fileOffset(uint32_t rva) const {
    for (const auto& s : sections_)
        if (rva >= s.rva && rva < s.rva + s.size) return int64_t(s.offset) + (rva - s.rva);
    return -1;
}

bool PeImage::load(const std::wstring& path) {
    std::ifstream f(std::string(path.begin(), path.end()), std::ios::binary);
    if (!f) return false;
    bytes_.assign(std::istreambuf_iterator<char>(f), {});
    if (u16(0) != 0x5A4D) return false;
    int64_t pe = u32(0x3C);
    if (u32(pe) != 0x00004550) return false;
    machine = u16(pe + 4);
    uint16_t sectionCount = u16(pe + 6);
    uint16_t optionalSize = u16(pe + 20);
    characteristics = u16(pe + 22);
    int64_t optional = pe + 24;
    magic = u16(optional);
    int64_t dirs = optional + (magic == 0x20B ? 112 : 96);
    uint32_t dirCount = u32(dirs - 4);
    for (uint32_t i = 0; i < dirCount && i < 16; ++i)
        directories.push_back({u32(dirs + 8 * i), u32(dirs + 8 * i + 4)});
    int64_t table = optional + optionalSize;
    for (int i = 0; i < sectionCount; ++i) {
        int64_t s = table + 40 * i;
        uint32_t virtualSize = u32(s + 8), rawSize = u32(s + 16);
        sections_.push_back({u32(s + 12), std::max(virtualSize, rawSize), u32(s + 20)});
    }
    return directories.size() > 2 &&
           (directories[2].rva == 0 || parseResources(directories[2].rva));
}

bool PeImage::parseResources(uint32_t rva) {
    resourceBase_ = fileOffset(rva);
    return resourceBase_ >= 0 && walk(0, 0, {});
}

// Three levels: type, id, language; ids are numeric throughout a skin library.
bool PeImage::walk(uint32_t dirOffset, int depth, ResourceKey key) {
    int64_t dir = resourceBase_ + dirOffset;
    int entries = u16(dir + 12) + u16(dir + 14);
    for (int i = 0; i < entries; ++i) {
        int64_t e = dir + 16 + 8 * i;
        uint32_t name = u32(e), target = u32(e + 4);
        if (name & 0x80000000u) return false; // named entries do not belong in a skin
        ResourceKey next = key;
        (depth == 0 ? next.type : depth == 1 ? next.id : next.language) = name;
        if (target & 0x80000000u) {
            if (depth >= 2 || !walk(target & 0x7FFFFFFFu, depth + 1, next)) return false;
            continue;
        }
        int64_t data = resourceBase_ + target;
        int64_t at = fileOffset(u32(data));
        uint32_t size = u32(data + 4);
        if (at < 0 || at + size > int64_t(bytes_.size())) return false;
        resources[next].assign(bytes_.begin() + at, bytes_.begin() + at + size);
    }
    return true;
}

const std::vector<uint8_t>* PeImage::find(uint32_t type, uint32_t id) const {
    for (const auto& [key, data] : resources)
        if (key.type == type && key.id == id) return &data;
    return nullptr;
}

std::map<uint32_t, std::wstring> PeImage::strings() const {
    std::map<uint32_t, std::wstring> out;
    for (const auto& [key, data] : resources) {
        if (key.type != kStringType) continue;
        size_t at = 0;
        for (uint32_t i = 0; i < 16 && at + 2 <= data.size(); ++i) {
            size_t length = data[at] | data[at + 1] << 8;
            at += 2;
            std::wstring text;
            for (size_t c = 0; c < length && at + 2 <= data.size(); ++c, at += 2)
                text += wchar_t(data[at] | data[at + 1] << 8);
            if (!text.empty()) out[(key.id - 1) * 16 + i] = text;
        }
    }
    return out;
}
