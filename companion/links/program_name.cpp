#include "companion/links/program_name.h"

#include <windows.h>

#include <iterator>

namespace {

// The shell's own processes: the desktop and taskbar, Start, the search box, the task view.
// Focus on any of them is not leaving a program.
constexpr const wchar_t* kShellPrograms[] = {
    L"explorer.exe",   L"shellexperiencehost.exe", L"startmenuexperiencehost.exe",
    L"searchhost.exe", L"searchapp.exe",           L"searchui.exe",
    L"lockapp.exe",    L"textinputhost.exe",
};
// This product's own programs: a link to them would switch the mouse under its own window.
constexpr const wchar_t* kOwnPrograms[] = {L"pelkotray.exe", L"pelkocfg.exe"};

bool listed(const std::wstring& name, const wchar_t* const* first, const wchar_t* const* last) {
    for (; first != last; ++first)
        if (name == *first) return true;
    return false;
}

} // namespace

std::wstring foldedName(const std::wstring& name) {
    std::wstring folded = name;
    if (!folded.empty()) ::CharLowerBuffW(folded.data(), DWORD(folded.size()));
    return folded;
}

std::wstring programFileName(const std::wstring& imagePath) {
    const size_t separator = imagePath.find_last_of(L"\\/");
    return foldedName(separator == std::wstring::npos ? imagePath
                                                      : imagePath.substr(separator + 1));
}

bool isLinkableProgram(const std::wstring& fileName) {
    const std::wstring name = foldedName(fileName);
    return !name.empty() && !listed(name, std::begin(kShellPrograms), std::end(kShellPrograms)) &&
           !listed(name, std::begin(kOwnPrograms), std::end(kOwnPrograms));
}
