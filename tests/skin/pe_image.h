// A small reader of PE library files: headers, data directories and the resource tree, enough
// to inspect a skin library built for either architecture without loading it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ResourceKey {
    uint32_t type, id, language;
    auto operator<=>(const ResourceKey&) const = default;
};

class PeImage {
  public:
    // Reads and parses the file; false when it is missing or not a PE image.
    bool load(const std::wstring& path);

    uint16_t machine = 0;
    uint16_t characteristics = 0;
    uint16_t magic = 0; // 0x10B PE32, 0x20B PE32+
    struct Directory {
        uint32_t rva = 0, size = 0;
    };
    std::vector<Directory> directories;
    std::map<ResourceKey, std::vector<uint8_t>> resources;

    // Resource bytes of (type, id) in any language, or nullptr.
    const std::vector<uint8_t>* find(uint32_t type, uint32_t id) const;
    // The strings of the string table, by id (empty strings are absent).
    std::map<uint32_t, std::wstring> strings() const;

  private:
    struct Section {
        uint32_t rva, size, offset;
    };
    bool parseResources(uint32_t rva);
    bool walk(uint32_t dirOffset, int depth, ResourceKey key);
    int64_t fileOffset(uint32_t rva) const;
    uint32_t u32(int64_t offset) const;
    uint16_t u16(int64_t offset) const;
    std::vector<uint8_t> bytes_;
    std::vector<Section> sections_;
    int64_t resourceBase_ = 0;
};
