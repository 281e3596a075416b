// The per-user installer as a user's machine meets it, in a Wine prefix of its own: a silent
// installation (the files of the release package, the Start menu links, the uninstall entry,
// the Run value, the companion started), the installed program started without a mouse, an
// upgrade while the companion runs, a silent removal that keeps the user's settings; and an
// installation into a folder whose name has spaces, without the start with Windows.
#include "companion/face/companion_options.h"
#include "companion/face/start_with_windows.h"
#include "tests/support/program_process.h"

#include <gtest/gtest.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const wchar_t kProduct[] = L"Glimmerhaus Pelko";
const wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimmerhaus Pelko";
constexpr DWORD kInstallerMs = 60000;

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}

// The installer and the unpacked release package it was made from, as the driver names them.
fs::path setupProgram() {
    return environment(L"PELKO_SETUP");
}
fs::path packageFolder() {
    return environment(L"PELKO_PACKAGE_FOLDER");
}

fs::path knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    ::SHGetKnownFolderPath(id, 0, nullptr, &path);
    const fs::path folder = path ? path : L"";
    ::CoTaskMemFree(path);
    return folder;
}

fs::path defaultFolder() {
    return knownFolder(FOLDERID_LocalAppData) / L"Programs" / kProduct;
}
fs::path menuFolder() {
    return knownFolder(FOLDERID_Programs) / kProduct;
}

// Runs a command line to its end; its exit code, or -1 when it did not end in time.
long run(std::wstring command) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return -2;
    DWORD code = DWORD(-1);
    if (::WaitForSingleObject(info.hProcess, kInstallerMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return long(code);
}

long install(const std::wstring& options = L"") {
    return run(L"\"" + setupProgram().wstring() + L"\" /S" + options);
}

std::optional<std::wstring> text(const wchar_t* key, const wchar_t* value) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

std::optional<DWORD> number(const wchar_t* key, const wchar_t* value) {
    DWORD data = 0, size = sizeof(data);
    if (::RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_DWORD, nullptr, &data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return data;
}

bool keyExists(const wchar_t* key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring quoted(const fs::path& file) {
    return L"\"" + file.wstring() + L"\"";
}

bool samePath(const fs::path& a, const fs::path& b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The target of a shell link.
fs::path linkTarget(const fs::path& link) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&shellLink))))
        return {};
    wchar_t target[MAX_PATH] = {};
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_PPV_ARGS(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
            shellLink->GetPath(target, MAX_PATH, nullptr, 0);
        file->Release();
    }
    shellLink->Release();
    return target;
}

// The running companion: its window, its process (SYNCHRONIZE and query rights) and the
// program file it runs; an empty one when none shows within `ms`.
struct Companion {
    HWND window = nullptr;
    DWORD id = 0;
    HANDLE process = nullptr;
    fs::path program;

    Companion() = default;
    Companion(const Companion&) = delete;
    Companion& operator=(const Companion&) = delete;
    ~Companion() {
        if (process) ::CloseHandle(process);
    }
    bool ended(DWORD ms) const {
        return process && ::WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
    }
};

void findCompanion(Companion& found, DWORD ms) {
    for (DWORD waited = 0;; waited += 50, ::Sleep(50)) {
        found.window = ::FindWindowW(L"Joyvane_Clock", L"Joyvane Clock");
        if (found.window || waited >= ms) break;
    }
    if (!found.window) return;
    ::GetWindowThreadProcessId(found.window, &found.id);
    found.process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, found.id);
    wchar_t program[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (found.process && ::QueryFullProcessImageNameW(found.process, 0, program, &size))
        found.program = program;
}

// Every file of the release package in the folder, each as packed.
void expectPackageFilesIn(const fs::path& folder) {
    int files = 0;
    for (const fs::directory_entry& file : fs::directory_iterator(packageFolder())) {
        ++files;
        const fs::path installed = folder / file.path().filename();
        EXPECT_TRUE(fs::exists(installed)) << installed;
        EXPECT_EQ(contents(installed), contents(file.path())) << installed;
    }
    EXPECT_GE(files, 5) << "the package folder " << packageFolder();
}

// The uninstaller runs from a copy of itself in the temporary folder: the installation is gone
// once that copy has removed the uninstall entry and the folder.
bool uninstalled(const fs::path& folder) {
    for (int wait = 0; wait < 600; ++wait, ::Sleep(50))
        if (!keyExists(kUninstallKey) && !fs::exists(folder)) return true;
    return false;
}

void expectNothingLeft(const fs::path& folder) {
    EXPECT_FALSE(fs::exists(folder)) << folder;
    EXPECT_FALSE(fs::exists(menuFolder())) << menuFolder();
    EXPECT_FALSE(keyExists(kUninstallKey));
    EXPECT_FALSE(text(kRunKey, kRunValue));
    EXPECT_NE(::RegGetValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kRunValue, RRF_RT_ANY, nullptr,
                             nullptr, nullptr),
              ERROR_SUCCESS)
        << "Task Manager's entry for the Run value is left";
    Companion companion;
    findCompanion(companion, 0);
    EXPECT_EQ(companion.window, nullptr) << "a companion still runs";
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(setupProgram())) << setupProgram();
        ASSERT_FALSE(keyExists(kUninstallKey)) << "an installation is left from before";
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    }
    void TearDown() override { ::CoUninitialize(); }
};

} // namespace

TEST_F(Installer, SilentInstallUpgradeOverTheRunningCompanionAndSilentRemoval) {
    const fs::path folder = defaultFolder();
    ASSERT_EQ(install(), 0);

    expectPackageFilesIn(folder);
    EXPECT_TRUE(fs::exists(folder / L"uninstall.exe"));
    EXPECT_PRED2(samePath, linkTarget(menuFolder() / L"Glimmerhaus Pelko.lnk"),
                 folder / L"pelkocfg.exe");
    EXPECT_PRED2(samePath, linkTarget(menuFolder() / L"Glimmerhaus Pelko companion.lnk"),
                 folder / L"pelkotray.exe");

    EXPECT_EQ(text(kUninstallKey, L"DisplayName"), kProduct);
    EXPECT_EQ(text(kUninstallKey, L"DisplayVersion"), PELKO_TEST_VERSION);
    EXPECT_EQ(text(kUninstallKey, L"Publisher"), L"Glimmerhaus");
    EXPECT_EQ(text(kUninstallKey, L"DisplayIcon"), (folder / L"pelkocfg.exe").wstring() + L",0");
    EXPECT_EQ(text(kUninstallKey, L"InstallLocation"), folder.wstring());
    EXPECT_EQ(text(kUninstallKey, L"UninstallString"), quoted(folder / L"uninstall.exe"));
    const std::optional<std::wstring> quiet = text(kUninstallKey, L"QuietUninstallString");
    EXPECT_EQ(quiet, quoted(folder / L"uninstall.exe") + L" /S");
    // In KB: at least the programs' size, at most twice the package's.
    uintmax_t packageBytes = 0;
    for (const fs::directory_entry& file : fs::directory_iterator(packageFolder()))
        packageBytes += file.file_size();
    const DWORD sizeKb = number(kUninstallKey, L"EstimatedSize").value_or(0);
    EXPECT_GE(sizeKb, packageBytes / 1024);
    EXPECT_LE(sizeKb, 2 * packageBytes / 1024 + 8);

    EXPECT_EQ(text(kRunKey, kRunValue), quoted(folder / L"pelkotray.exe"));
    Companion first;
    findCompanion(first, 15000);
    ASSERT_NE(first.window, nullptr) << "the installer did not start the companion";
    EXPECT_PRED2(samePath, first.program, folder / L"pelkotray.exe");

    { // The installed program without a mouse: the box, OK, a clean end.
        Program program(folder / L"pelkocfg.exe");
        ASSERT_TRUE(program.started());
        HWND box = program.window(L"Error");
        ASSERT_NE(box, nullptr) << "no box";
        wchar_t message[100] = {};
        ::GetDlgItemTextW(box, 0xFFFF, message, 100);
        EXPECT_STREQ(message, L"No Glimmerhaus Pelko detected!");
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program.ended(), 0);
    }

    // The upgrade: the running companion ends, the files are replaced (a changed one comes
    // back as packed), a companion runs again.
    std::ofstream(folder / L"README.txt", std::ios::trunc) << "an older version";
    ASSERT_EQ(install(), 0);
    EXPECT_TRUE(first.ended(0)) << "the companion of before still runs";
    expectPackageFilesIn(folder);
    Companion second;
    findCompanion(second, 15000);
    ASSERT_NE(second.window, nullptr) << "no companion after the upgrade";
    EXPECT_NE(second.id, first.id);
    EXPECT_EQ(text(kRunKey, kRunValue), quoted(folder / L"pelkotray.exe"));

    // The user's settings, and Task Manager's entry for the Run value, before the removal.
    const DWORD off = 0;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kCompanionSettingsKey, kOnScreenDisplayValue,
                                REG_DWORD, &off, sizeof(off)),
              ERROR_SUCCESS);
    const BYTE disabled[12] = {3};
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKey, kRunValue, REG_BINARY,
                                disabled, sizeof(disabled)),
              ERROR_SUCCESS);

    ASSERT_TRUE(quiet);
    ASSERT_EQ(run(*quiet), 0);
    ASSERT_TRUE(uninstalled(folder)) << "the uninstaller did not finish";
    EXPECT_TRUE(second.ended(5000)) << "the uninstaller left the companion running";
    expectNothingLeft(folder);
    EXPECT_EQ(number(kCompanionSettingsKey, kOnScreenDisplayValue), off)
        << "the user's settings went";
}

// /D= names a folder with spaces; /NOAUTOSTART leaves the companion out of the Windows start.
// The companion the user starts from its Start menu link ends with the removal.
TEST_F(Installer, IntoAFolderWithSpacesWithoutTheWindowsStart) {
    const fs::path folder = L"C:\\My Programs\\Pelko mouse";
    fs::create_directories(folder.parent_path());
    ASSERT_EQ(install(L" /NOAUTOSTART /D=" + folder.wstring()), 0);
    expectPackageFilesIn(folder);
    EXPECT_EQ(text(kUninstallKey, L"InstallLocation"), folder.wstring());
    EXPECT_FALSE(text(kRunKey, kRunValue)) << "a Run value without the choice";
    Companion none;
    findCompanion(none, 2000);
    EXPECT_EQ(none.window, nullptr) << "the companion started without the choice";

    const fs::path link = menuFolder() / L"Glimmerhaus Pelko companion.lnk";
    EXPECT_GT(::ShellExecuteW(nullptr, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL),
              reinterpret_cast<HINSTANCE>(32));
    Companion started;
    findCompanion(started, 15000);
    ASSERT_NE(started.window, nullptr) << "the Start menu link started no companion";
    EXPECT_PRED2(samePath, started.program, folder / L"pelkotray.exe");

    ASSERT_EQ(run(quoted(folder / L"uninstall.exe") + L" /S"), 0);
    ASSERT_TRUE(uninstalled(folder)) << "the uninstaller did not finish";
    EXPECT_TRUE(started.ended(5000));
    expectNothingLeft(folder);
    EXPECT_TRUE(fs::exists(folder.parent_path())) << "the removal went beyond its folder";
}
