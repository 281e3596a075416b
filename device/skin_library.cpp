#include "device/skin_library.h"

#include "device/mouse_ids.h"
#include "framework/program_folder.h"

#include <cstdio>
#include <cstring>

namespace {

// Paths are copied up to this length, as the system's own path limit.
constexpr size_t kPathCopyMax = 259;
constexpr size_t kIdentifierLength = 17; // "VID_2719&PID_0604"
constexpr size_t kInterfaceLength = 2;   // the two characters after "MI_"

std::string hexDigits(USHORT value) {
    char text[5] = {};
    std::snprintf(text, sizeof(text), "%04X", unsigned(value));
    return text;
}

// ASCII upper case only: other bytes (of non-ASCII paths) stay as they are.
std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

bool isBareFileName(const std::string& name) {
    return name.find_first_of("\\/:") == std::string::npos;
}

} // namespace

std::wstring skinLibraryNameForPath(const char* path) {
    if (!path) return {};
    std::string copy(path, strnlen(path, kPathCopyMax));
    if (copy.find(hexDigits(kPelkoVendorId)) == std::string::npos ||
        copy.find(hexDigits(kPelkoProductId)) == std::string::npos)
        return {};
    if (copy.empty()) return {};
    copy = upperAscii(copy.substr(0, copy.size() - 1));

    size_t vid = copy.find("VID_");
    if (vid == std::string::npos || copy.size() - vid < kIdentifierLength) return {};
    std::string name = copy.substr(vid, kIdentifierLength);
    size_t mi = copy.find("MI_");
    if (mi != std::string::npos) {
        size_t first = mi + 3;
        if (copy.size() - first < kInterfaceLength) return {};
        name += "&MI_" + copy.substr(first, kInterfaceLength);
    }
    name += ".dll";
    if (!isBareFileName(name)) return {};
    // Bytes beyond ASCII are widened as they are: such a name finds no library.
    return std::wstring(name.begin(), name.end());
}

HMODULE loadSkinLibrary(const wchar_t* name) {
    const std::wstring folder = programFolder();
    if (folder.empty()) return nullptr;
    return ::LoadLibraryExW((folder + name).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

HMODULE loadSkinLibraryFor(const char* interfacePath) {
    const std::wstring name = skinLibraryNameForPath(interfacePath);
    if (!name.empty())
        if (HMODULE own = loadSkinLibrary(name.c_str())) return own;
    return loadSkinLibrary(kDefaultSkinLibraryName);
}
