// windows_pointer_reader <moment>: waits for the moment (ms of the system time since 1601),
// then reads Windows' acceleration and wheel lines for the first time in its process and
// returns them as its exit code: acceleration * 1000 +
// lines (acceleration 1 on, 2 off, 3 other, 0 unread; lines 999 for page scrolling). Wine keeps
// each process's own copy of these settings from its first read on, so a test that must see
// another program's change reads them in a new process.
#include <windows.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cwchar>

namespace {

long long nowMs() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return static_cast<long long>(uint64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const long long moment = argc > 1 ? std::wcstoll(argv[1], nullptr, 10) : 0;
    for (long long left = moment - nowMs(); left > 0; left = moment - nowMs())
        ::Sleep(DWORD(left));
    std::array<int, 3> mouse{};
    UINT lines = 0;
    int acceleration = 0;
    if (::SystemParametersInfoW(SPI_GETMOUSE, 0, mouse.data(), 0))
        acceleration = mouse == std::array<int, 3>{6, 10, 1}  ? 1
                       : mouse == std::array<int, 3>{0, 0, 0} ? 2
                                                              : 3;
    if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 0;
    // Wine reads page scrolling back as LONG_MAX.
    if (lines >= UINT(LONG_MAX)) lines = 999;
    return acceleration * 1000 + int(lines > 998 ? 999 : lines);
}
