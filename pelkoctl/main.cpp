// pelkoctl.exe: the mouse's profiles from a command line.
//
//   pelkoctl show             the profiles as JSON on standard output
//   pelkoctl save <file>      the profiles to a file
//   pelkoctl restore <file>   a file's profiles to the mouse (refused while the window runs)
//
// Each does one thing and ends: exit code 0 on success, otherwise a code of its own and one
// line of reason on standard error.
#include "device/hid_bus.h"
#include "framework/system_library.h"
#include "pelkoctl/exit_codes.h"
#include "profiles/profiles_actions.h"
#include "profiles/profiles_file.h"
#include "profiles/profiles_json.h"

#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>

namespace {

constexpr char kUsage[] = "usage: pelkoctl show | save <file> | restore <file>";

int fail(int code, const std::string& reason) {
    std::fprintf(stderr, "pelkoctl: %s\n", reason.c_str());
    return code;
}

int finish(const ProfilesResult& result) {
    if (result.status != ProfilesStatus::Done)
        return fail(exitCodeOf(result.status), result.message);
    std::printf("pelkoctl: %s\n", result.message.c_str());
    return 0;
}

int show() {
    ProfilesDocument document;
    const ProfilesResult read = readMouseProfiles(document, false);
    if (read.status != ProfilesStatus::Done) return finish(read);
    const std::string json = profilesJson(document);
    // The same bytes as a saved file: no line-ending translation.
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : fail(kExitNotSaved, "cannot write standard output");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    restrictLibrarySearch();
    const std::wstring command = argc >= 2 ? argv[1] : L"";
    const bool withFile = command == L"save" || command == L"restore";
    if (!((command == L"show" && argc == 2) || (withFile && argc == 3)))
        return fail(kExitUsage, kUsage);
    const SystemLibrary& hid = systemHidLibrary();
    if (!hid.loaded())
        return fail(kExitNoMouse, "cannot load " + utf8Of(hid.fileName()) +
                                      " from Windows' "
                                      "system folder");
    if (command == L"show") return show();
    if (command == L"save") return finish(saveMouseProfiles(argv[2], false));
    return finish(restoreMouseProfiles(argv[2], nullptr));
}
