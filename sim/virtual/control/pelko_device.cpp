// pelko-device: plugs the virtual mouse into the running Wine prefix (or Windows), pulls it,
// presses its buttons and sets the faults its firmware shows at the next exchanges.
//
//   pelko-device plug <memory file> [<wire log>]   (a fresh firmware from the memory file)
//   pelko-device unplug
//   pelko-device press cpi|profile
//   pelko-device factory-reset
//   pelko-device fault FailSendAt|FailReceiveAt|UnplugAt|ReplyMask <number>
//   pelko-device refuse <command hex>[:<address>] ...
//   pelko-device clear-faults
#include "sim/virtual/control/control_values.h"
#include "sim/virtual/control/device_install.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kDone = 0, kFailed = 1, kUsage = 2;
constexpr size_t kMaxRules = 32;

std::wstring besideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}

// "N" decimal or "0xN" hexadecimal, the whole text; false otherwise.
bool parseNumber(const wchar_t* text, int base, unsigned long& value) {
    wchar_t* end = nullptr;
    value = std::wcstoul(text, &end, base);
    return *text && end && *end == 0;
}

bool isFaultName(const std::wstring& name) {
    return name == L"FailSendAt" || name == L"FailReceiveAt" || name == L"UnplugAt" ||
           name == L"ReplyMask";
}

// "44" refuses command 0x44; "44:7" refuses it at address 7 only.
int refuse(int count, wchar_t** rules) {
    std::vector<BYTE> commands, addresses;
    for (int i = 0; i < count; ++i) {
        std::wstring rule = rules[i];
        const size_t colon = rule.find(L':');
        unsigned long command = 0, address = 0;
        if (!parseNumber(rule.substr(0, colon).c_str(), 16, command) || command > 0xFF)
            return kUsage;
        if (colon == std::wstring::npos) {
            commands.push_back(BYTE(command));
            continue;
        }
        if (!parseNumber(rule.substr(colon + 1).c_str(), 0, address) || address > 0xFF)
            return kUsage;
        addresses.push_back(BYTE(command));
        addresses.push_back(BYTE(address));
    }
    // The driver takes up to 32 of each.
    if (commands.size() > kMaxRules || addresses.size() > 2 * kMaxRules) return kUsage;
    return writeBytes(L"RefusedCommands", commands) && writeBytes(L"RefusedAddresses", addresses)
               ? kDone
               : kFailed;
}

int run(int argc, wchar_t** argv) {
    if (argc < 2) return kUsage;
    const std::wstring command = argv[1];
    if (command == L"plug" && (argc == 3 || argc == 4)) {
        const std::wstring wireLog = argc == 4 ? argv[3] : L"";
        return writeSession(argv[2], wireLog) &&
                       plugVirtualMouse(besideThisProgram(L"pelkovirt.inf"),
                                        besideThisProgram(L"pelkovirt.sys"))
                   ? kDone
                   : kFailed;
    }
    if (command == L"unplug" && argc == 2) return unplugVirtualMouse() ? kDone : kFailed;
    if (command == L"press" && argc == 3) {
        const std::wstring button = argv[2];
        if (button != L"cpi" && button != L"profile") return kUsage;
        return incrementCounter(button == L"cpi" ? L"CpiPresses" : L"ProfilePresses") ? kDone
                                                                                      : kFailed;
    }
    if (command == L"factory-reset" && argc == 2)
        return incrementCounter(L"FactoryResets") ? kDone : kFailed;
    if (command == L"fault" && argc == 4) {
        unsigned long value = 0;
        if (!isFaultName(argv[2]) || !parseNumber(argv[3], 0, value)) return kUsage;
        return writeNumber(argv[2], DWORD(value)) ? kDone : kFailed;
    }
    if (command == L"refuse" && argc >= 3) return refuse(argc - 2, argv + 2);
    if (command == L"clear-faults" && argc == 2) return clearFaults() ? kDone : kFailed;
    return kUsage;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int result = run(argc, argv);
    if (result == kUsage)
        std::fputs("usage: pelko-device plug <memory file> [<wire log>] | unplug | press "
                   "cpi|profile | factory-reset | fault <name> <number> | refuse <code>[:<address>]"
                   "... | clear-faults\n",
                   stderr);
    else if (result == kFailed)
        std::fprintf(stderr, "pelko-device: %ls failed (error %lu)\n", argv[1], GetLastError());
    return result;
}
