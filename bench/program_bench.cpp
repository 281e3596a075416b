// pelko_program_bench.exe: start-up and Apply of the programs as processes, measured from
// outside them. It prints "name value" lines for scripts/bench.
//   startup ROUNDS MEMORY  each round starts bare_window.exe, pelkocfg-sim.exe (with
//                          PELKO_SIM_MEMORY=MEMORY) and pelkocfg.exe (no mouse: its window is
//                          built and painted, then it reports the lost mouse) in turn, and
//                          times each to its first complete paint; a program that shows no
//                          window gives a "no_window" sample instead of a time
//   trace ROUNDS MEMORY    the same, and each start is framed for Wine's relay trace: an
//                          OutputDebugStringA "pelko_bench start NAME" right before
//                          CreateProcess and "pelko_bench done NAME PID MS" when its paint is
//                          known, so that bench/startup_trace.awk splits the time between them
//   apply CLICKS MEMORY    starts pelkocfg-sim.exe and clicks Apply with real pointer input
//
// "First complete paint", seen from outside: the process's window is visible, the process is
// input-idle (WaitForInputIdle: it waits for input with nothing queued, so the paint its window
// had pending has been handled), and the window's pixels on the screen show the finished
// paint. The last is read from the screen itself every ~10 ms until the window's pixels have
// not changed for 1.5 s, or until the program's "Error" box shows (pelkocfg.exe without a
// mouse); the paint was complete at the first sample that shows those final pixels. The
// figure is thus late by at most one sample, for every program alike.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kApplyId = 1026;
constexpr double kApplyFixedWaitsMs = 200 + 400 + 400 + 100;
constexpr DWORD kSampleGapMs = 10;
constexpr double kSettledMs = 1500;
constexpr uint32_t kBareColour = 0x285AA0; // bare_window.cpp's RGB(40, 90, 160) as 0xRRGGBB

double msSince(Clock::time_point start, Clock::time_point end = Clock::now()) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void sample(const char* name, double value) {
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

std::wstring binFolder() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

struct Found {
    DWORD process;
    const wchar_t* title;
    HWND window;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto* wanted = reinterpret_cast<Found*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t title[128] = {};
    ::GetWindowTextW(window, title, 128);
    if (process != wanted->process || std::wcscmp(title, wanted->title) != 0 ||
        !::IsWindowVisible(window))
        return TRUE;
    wanted->window = window;
    return FALSE;
}

// The pixels of a screen rectangle, read from the screen's DC, as one hash.
class ScreenArea {
  public:
    explicit ScreenArea(const RECT& area)
        : m_area(area), m_width(area.right - area.left), m_height(area.bottom - area.top) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const uint32_t*>(bits);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_previous = ::SelectObject(m_dc, m_bitmap);
    }
    ~ScreenArea() {
        ::SelectObject(m_dc, m_previous);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    ScreenArea(const ScreenArea&) = delete;
    ScreenArea& operator=(const ScreenArea&) = delete;

    uint64_t hash() {
        HDC screen = ::GetDC(nullptr);
        ::BitBlt(m_dc, 0, 0, m_width, m_height, screen, m_area.left, m_area.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        ::GdiFlush();
        return hashOf(m_bits, size_t(m_width) * size_t(m_height));
    }

    // The hash of pixels (0x00RRGGBB each); null pixels: all of one colour.
    static uint64_t hashOf(const uint32_t* pixels, size_t count, uint32_t colour = 0) {
        uint64_t h = 1469598103934665603ull; // FNV-1a
        for (size_t i = 0; i < count; ++i)
            h = (h ^ ((pixels ? pixels[i] : colour) & 0xFFFFFFu)) * 1099511628211ull;
        return h;
    }

    size_t pixelCount() const { return size_t(m_width) * size_t(m_height); }

  private:
    RECT m_area;
    int m_width, m_height;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
    const uint32_t* m_bits = nullptr;
};

class Program {
  public:
    Program(const std::wstring& exe, const std::wstring& memoryFile,
            const wchar_t* arguments = nullptr) {
        if (!memoryFile.empty()) ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", memoryFile.c_str());
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        std::wstring command = L"\"" + exe + L"\"";
        if (arguments) command += std::wstring(L" ") + arguments;
        started = Clock::now();
        m_ok = ::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                binFolder().c_str(), &startup, &m_info);
        ::SetEnvironmentVariableW(L"PELKO_SIM_MEMORY", nullptr);
    }
    ~Program() {
        if (!m_ok) return;
        ::TerminateProcess(m_info.hProcess, 0);
        ::WaitForSingleObject(m_info.hProcess, 10000);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool ok() const { return m_ok; }

    DWORD id() const { return m_info.dwProcessId; }

    // Whether the process has a visible top-level window with this title now.
    bool shows(const wchar_t* title) const {
        Found found = {m_info.dwProcessId, title, nullptr};
        ::EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
    }

    // The process's visible top-level window with this title (up to 20 s); null if none.
    HWND window(const wchar_t* title) const {
        const auto start = Clock::now();
        while (m_ok && msSince(start) < 20000) {
            Found found = {m_info.dwProcessId, title, nullptr};
            ::EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&found));
            if (found.window) return found.window;
            if (::WaitForSingleObject(m_info.hProcess, 1) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    // Milliseconds from the process start to its first complete paint (see the top); < 0 when
    // the window did not come. `finalPixels` gets the hash of the window's final pixels.
    double firstCompletePaint(const wchar_t* title, uint64_t* finalPixels = nullptr,
                              size_t* pixelCount = nullptr) const {
        HWND shown = window(title);
        if (!shown) return -1;
        ::WaitForInputIdle(m_info.hProcess, 20000);
        RECT rect;
        ::GetWindowRect(shown, &rect);
        ScreenArea area(rect);
        uint64_t last = area.hash();
        Clock::time_point lastChange = Clock::now();
        while (msSince(lastChange) < kSettledMs) {
            ::Sleep(kSampleGapMs);
            const uint64_t now = area.hash();
            // The box is shown before it is drawn: a sample that may hold its pixels is dropped.
            if (shows(L"Error")) break;
            if (now != last) {
                last = now;
                lastChange = Clock::now();
            }
        }
        if (finalPixels) *finalPixels = last;
        if (pixelCount) *pixelCount = area.pixelCount();
        return msSince(started, lastChange);
    }

    Clock::time_point started;

  private:
    PROCESS_INFORMATION m_info = {};
    bool m_ok = false;
};

void parkPointer() {
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

void sendPointer(POINT at, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(at.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

// The programs of a start-up round, in the order they are started.
struct Timed {
    const char* name;
    const wchar_t* exe;
    const wchar_t* arguments; // null: none
    const wchar_t* title;
    bool simMemory;
};
constexpr Timed kTimed[] = {
    {"bare", L"bare_window.exe", nullptr, L"Bare window", false},
    {"tree", L"bare_window.exe", L"tree", L"Bare window", false},
    {"sim", L"pelkocfg-sim.exe", nullptr, L"Glimmerhaus Pelko", true},
    {"real", L"pelkocfg.exe", nullptr, L"Glimmerhaus Pelko", false},
};

// A line of Wine's relay trace (OutputDebugStringA is among the traced calls).
void traceMark(const char* text) {
    ::OutputDebugStringA(text);
}

// Milliseconds to the program's first complete paint; < 0 when it showed no window, which is
// a sample of its own. False when the screen cannot be read back.
bool timeOne(const Timed& timed, const std::wstring& memory, bool traced, double* ms) {
    char mark[128];
    std::snprintf(mark, sizeof mark, "pelko_bench start %s", timed.name);
    if (traced) traceMark(mark);
    Program program(binFolder() + timed.exe, timed.simMemory ? memory : L"", timed.arguments);
    uint64_t pixels = 0;
    size_t count = 0;
    *ms = program.firstCompletePaint(timed.title, &pixels, &count);
    std::snprintf(mark, sizeof mark, "pelko_bench done %s %04lx %.3f", timed.name,
                  static_cast<unsigned long>(program.id()), *ms);
    if (traced) traceMark(mark);
    // The bare window's final pixels must be its one colour, or no paint time here means
    // anything: the screen would not be read back.
    const bool bare = std::strcmp(timed.name, "bare") == 0;
    if (bare && *ms >= 0 && pixels != ScreenArea::hashOf(nullptr, count, kBareColour)) {
        std::fprintf(stderr, "pelko_program_bench: the screen does not show the bare window's "
                             "colour: the screen cannot be read back\n");
        return false;
    }
    return true;
}

int startUp(int rounds, const std::wstring& memory, bool traced) {
    const char* prefix = traced ? "trace" : "startup";
    char name[64];
    for (int round = 0; round < rounds; ++round) {
        parkPointer();
        double ms[std::size(kTimed)] = {};
        for (size_t i = 0; i < std::size(kTimed); ++i) {
            if (!timeOne(kTimed[i], memory, traced, &ms[i])) return 1;
            const bool shown = ms[i] >= 0;
            std::snprintf(name, sizeof name, "%s.%s_%s", prefix, kTimed[i].name,
                          shown ? "ms" : "no_window");
            sample(name, shown ? ms[i] : 1);
        }
        for (size_t i = 1; i < std::size(kTimed) && ms[0] > 0; ++i) {
            if (ms[i] < 0) continue;
            std::snprintf(name, sizeof name, "%s.%s_ratio", prefix, kTimed[i].name);
            sample(name, ms[i] / ms[0]);
        }
    }
    return 0;
}

// Until the Apply button is disabled (the click arrived), then enabled again and its
// program back in its message loop (the release timer's handler, which enables the button and
// then sleeps 100 ms before it clears the button's check, has returned).
bool waitForApplyRelease(HWND main, HWND apply, Clock::time_point clicked) {
    while (::IsWindowEnabled(apply)) {
        if (msSince(clicked) > 3000) return false;
        ::Sleep(1);
    }
    while (!::IsWindowEnabled(apply)) {
        if (msSince(clicked) > 5000) return false;
        ::Sleep(1);
    }
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0;
}

int apply(int clicks, const std::wstring& memory) {
    parkPointer();
    Program program(binFolder() + L"pelkocfg-sim.exe", memory);
    if (program.firstCompletePaint(L"Glimmerhaus Pelko") < 0) return 1;
    HWND main = program.window(L"Glimmerhaus Pelko");
    HWND button = ::GetDlgItem(main, kApplyId);
    RECT r;
    ::GetWindowRect(button, &r);
    const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    for (int i = 0; i < clicks; ++i) {
        ::SetCursorPos(centre.x, centre.y);
        sendPointer(centre, 0);
        ::Sleep(300);
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer); // idle
        const auto clicked = Clock::now();
        sendPointer(centre, MOUSEEVENTF_LEFTDOWN);
        sendPointer(centre, MOUSEEVENTF_LEFTUP);
        if (!waitForApplyRelease(main, button, clicked)) {
            std::fprintf(stderr, "pelko_program_bench: Apply did not run or end\n");
            return 1;
        }
        const double total = msSince(clicked);
        sample("apply.total_ms", total);
        sample("apply.outside_ms", total - kApplyFixedWaitsMs);
        ::Sleep(500);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    std::wstring memory;
    if (argc > 3)
        for (const char* c = argv[3]; *c; ++c)
            memory += wchar_t(static_cast<unsigned char>(*c));
    if (count <= 0 || memory.empty()) {
        std::fprintf(stderr, "usage: pelko_program_bench startup|trace|apply COUNT MEMORYFILE\n");
        return 2;
    }
    if (std::strcmp(mode, "startup") == 0) return startUp(count, memory, false);
    if (std::strcmp(mode, "trace") == 0) return startUp(count, memory, true);
    if (std::strcmp(mode, "apply") == 0) return apply(count, memory);
    std::fprintf(stderr, "pelko_program_bench: unknown mode %s\n", mode);
    return 2;
}
