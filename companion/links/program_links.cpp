#include "companion/links/program_links.h"

#include "companion/links/program_name.h"

#include <windows.h>

#include <vector>

namespace {

// The longest value name the registry holds, with its terminator.
constexpr DWORD kLongestValueName = 16384;

bool isFileName(const std::wstring& name) {
    return name.find_first_of(L"\\/:") == std::wstring::npos && isLinkableProgram(name);
}

// The names of the key's values that fold to `name`.
std::vector<std::wstring> valuesNamed(HKEY key, const std::wstring& name) {
    std::vector<std::wstring> found;
    std::vector<wchar_t> buffer(kLongestValueName);
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestValueName;
        if (::RegEnumValueW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            break;
        std::wstring value(buffer.data(), length);
        if (foldedName(value) == name) found.push_back(value);
    }
    return found;
}

} // namespace

ProgramLinks readProgramLinks() {
    ProgramLinks links;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kProgramLinksKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return links;
    std::vector<wchar_t> name(kLongestValueName);
    for (DWORD index = 0;; ++index) {
        DWORD length = kLongestValueName, type = 0, data = 0, size = sizeof(data);
        const LSTATUS status = ::RegEnumValueW(key, index, name.data(), &length, nullptr, &type,
                                               reinterpret_cast<BYTE*>(&data), &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        // A value too long for a DWORD answers ERROR_MORE_DATA: left out like any other.
        if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) continue;
        const std::wstring program(name.data(), length);
        if (data < 1 || data > 3 || !isFileName(program)) continue;
        links[foldedName(program)] = int(data);
    }
    ::RegCloseKey(key);
    return links;
}

int linkedProfile(const ProgramLinks& links, const std::wstring& fileName) {
    const auto link = links.find(foldedName(fileName));
    return link == links.end() ? 0 : link->second;
}

bool setProgramLink(const std::wstring& fileName, int profile) {
    const std::wstring name = foldedName(fileName);
    if (!isFileName(name) || profile < 0 || profile > 3) return false;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kProgramLinksKey, 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool stored = true;
    for (const std::wstring& value : valuesNamed(key, name))
        stored = ::RegDeleteValueW(key, value.c_str()) == ERROR_SUCCESS && stored;
    if (profile > 0) {
        const DWORD data = DWORD(profile);
        stored =
            ::RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                             sizeof(data)) == ERROR_SUCCESS;
    }
    ::RegCloseKey(key);
    return stored;
}
