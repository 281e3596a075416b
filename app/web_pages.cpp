#include "app/web_pages.h"

#include "app/window_layout.h"

#include <shellapi.h>

namespace {

ShellExecuteFunction shellExecute = ::ShellExecuteW;

} // namespace

void installShellExecute(ShellExecuteFunction function) {
    shellExecute = function ? function : ::ShellExecuteW;
}

const wchar_t* webPageAddress(int linkId) {
    switch (linkId) {
    case layout::id::kProductLink:
        return L"https://glimmerhaus.example/pelko";
    case layout::id::kDownloadsLink:
        return L"https://glimmerhaus.example/pelko/downloads";
    case layout::id::kSupportLink:
        return L"https://glimmerhaus.example/pelko/support";
    default:
        return nullptr;
    }
}

void openWebPage(HWND owner, int linkId) {
    const wchar_t* address = webPageAddress(linkId);
    if (address) shellExecute(owner, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}
