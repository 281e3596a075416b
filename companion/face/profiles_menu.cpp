#include "companion/face/profiles_menu.h"

#include "companion/face/face_events.h"
#include "companion/face/face_texts.h"
#include "device/configuration_program.h"
#include "framework/system_library.h"
#include "profiles/profiles_actions.h"
#include "profiles/profiles_file.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>
#include <cwctype>

namespace {

constexpr wchar_t kBoxCaption[] = L"Glimmerhaus Pelko";
constexpr wchar_t kFilter[] = L"Pelko profiles (*.json)\0*.json\0All files (*.*)\0*.*\0";
constexpr wchar_t kCloseWindowFirst[] =
    L"The Pelko settings window is open.\r\n\r\nClose it first, then try again.";

std::wstring documentsFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return folder;
}

void showBox(HWND owner, const std::wstring& text, UINT icon) {
    ::MessageBoxW(owner, text.c_str(), kBoxCaption, MB_OK | icon);
}

// "Could not save the profiles." and the reason as a sentence.
void showFailure(HWND owner, const wchar_t* what, const ProfilesResult& result) {
    std::wstring reason = wideOf(result.message);
    if (!reason.empty()) reason[0] = wchar_t(std::towupper(reason[0]));
    showBox(owner, std::wstring(what) + L"\r\n\r\n" + reason + L".", MB_ICONERROR);
}

bool windowRefuses(HWND owner) {
    if (!configurationProgramRunning()) return false;
    showBox(owner, kCloseWindowFirst, MB_ICONWARNING);
    return true;
}

// The file dialogs' library, loaded at the first dialog rather than imported: it brings a
// dozen other libraries that would stay in the companion's memory for its whole life.
struct DialogFunctions {
    SystemLibrary library{L"comdlg32.dll"};
    decltype(&::GetSaveFileNameW) getSaveFileName = nullptr;
    decltype(&::GetOpenFileNameW) getOpenFileName = nullptr;

    DialogFunctions() {
        library.take(getSaveFileName, "GetSaveFileNameW");
        library.take(getOpenFileName, "GetOpenFileNameW");
    }
};

const DialogFunctions& dialogs() {
    static const DialogFunctions functions;
    return functions;
}

struct FileDialog {
    wchar_t path[MAX_PATH] = {};
    std::wstring folder = documentsFolder();
    OPENFILENAMEW request = {};

    FileDialog(HWND owner, const wchar_t* title, DWORD flags) {
        request.lStructSize = sizeof(request);
        request.hwndOwner = owner;
        request.lpstrFilter = kFilter;
        request.lpstrFile = path;
        request.nMaxFile = MAX_PATH;
        request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        request.lpstrTitle = title;
        request.lpstrDefExt = L"json";
        request.Flags = flags | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    }
};

std::wstring restoredText(const RestoredState& state) {
    MouseView view;
    view.profile = state.profile;
    view.stage = state.cpiStage;
    if (state.cpiStage >= 1 && state.cpiStage <= 4)
        view.cpi = cpiOfCode(state.record.cpiCode[state.cpiStage - 1]);
    return L"Profiles restored \u00B7 " + profileDisplayText(view);
}

} // namespace

std::wstring defaultProfilesFileName() {
    SYSTEMTIME today = {};
    ::GetLocalTime(&today);
    wchar_t name[64];
    std::swprintf(name, 64, L"Pelko profiles %04u-%02u-%02u.json", today.wYear, today.wMonth,
                  today.wDay);
    return name;
}

std::optional<std::wstring> saveProfilesFromMenu(HWND owner) {
    if (windowRefuses(owner)) return std::nullopt;
    FileDialog dialog(owner, L"Save profiles to a file", OFN_OVERWRITEPROMPT);
    const std::wstring name = defaultProfilesFileName();
    std::wcsncpy(dialog.path, name.c_str(), MAX_PATH - 1);
    if (!dialogs().getSaveFileName || !dialogs().getSaveFileName(&dialog.request))
        return std::nullopt;
    const ProfilesResult result = saveMouseProfiles(dialog.path, true);
    if (result.status == ProfilesStatus::Done) return L"Profiles saved";
    showFailure(owner, L"The profiles were not saved.", result);
    return std::nullopt;
}

std::optional<std::wstring> restoreProfilesFromMenu(HWND owner) {
    if (windowRefuses(owner)) return std::nullopt;
    FileDialog dialog(owner, L"Restore profiles from a file", OFN_FILEMUSTEXIST);
    if (!dialogs().getOpenFileName || !dialogs().getOpenFileName(&dialog.request))
        return std::nullopt;
    RestoredState state;
    const ProfilesResult result = restoreMouseProfiles(dialog.path, &state);
    if (result.status == ProfilesStatus::Done && state.written) return restoredText(state);
    if (result.status == ProfilesStatus::Done) {
        showBox(owner, wideOf(result.message), MB_ICONINFORMATION);
        return std::nullopt;
    }
    showFailure(owner, L"The profiles were not restored.", result);
    return std::nullopt;
}
