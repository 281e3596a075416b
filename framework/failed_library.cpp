#include "framework/failed_library.h"

#include <algorithm>

namespace {

constexpr size_t kMessageMax = 259;
constexpr DWORD kSystemTextMax = 260;

} // namespace

std::wstring systemErrorText(DWORD error) {
    wchar_t text[kSystemTextMax] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, kSystemTextMax, nullptr);
    return text;
}

std::wstring failedLibraryText(const wchar_t* library, DWORD error) {
    std::wstring text = std::wstring(L"Failed opening DLL : ") + library + L"\r\nError: " +
                        systemErrorText(error) + L"\r\n";
    text.resize(std::min(text.size(), kMessageMax));
    return text;
}

void showFailedLibrary(HWND owner, const wchar_t* library, DWORD error) {
    const std::wstring text = failedLibraryText(library, error);
    ::OutputDebugStringW(text.c_str());
    ::MessageBoxW(owner, text.c_str(), L"Failed", MB_OK);
}
