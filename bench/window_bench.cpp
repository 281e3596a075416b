// pelko_window_bench.exe: figures of the main window built in this process over the simulated
// mouse, as the app tests build it. It prints "name value" lines for scripts/bench.
//   switches N  N page switches (WM_COMMAND of the Main and Options tabs) on the hidden window,
//               in 5 batches: the framework's live GDI objects before and after, the time per
//               switch of each batch, and what each part of a switch costs on its own
//   builds N    N main windows built and destroyed in turn over a fresh simulated mouse: the
//               framework's live GDI objects before and after, and the time per window
//   apply N     N real clicks (SendInput) on Apply of the shown window, each split into its
//               parts: from the click to the first exchange, the exchanges' own work, the
//               protocol's waits, the release timer and the release's Sleep
#include "app/main_dialog.h"
#include "device/protocol_wait.h"
#include "framework/gdi_object.h"
#include "sim/sim_bus.h"
#include "tests/support/real_mouse.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;
using layout::id::kApply;

double msSince(Clock::time_point start, Clock::time_point end = Clock::now()) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void sample(const char* name, double value) {
    std::printf("%s %.4f\n", name, value);
    std::fflush(stdout);
}

// Times `count` runs of `work` and prints the mean in milliseconds.
template <typename Work> void timeEach(const char* name, int count, Work work) {
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        work(i);
    sample(name, msSince(start) / count);
}

// A control's window, as the page switch takes it.
HWND controlWindow(CPELKOmouseDlg& dialog, const layout::Control& row) {
    switch (row.kind) {
    case layout::Kind::HoverButton:
        return dialog.button(row.id);
    case layout::Kind::Slider:
        return dialog.slider(row.id);
    case layout::Kind::List:
        return dialog.list(row.id);
    }
    return nullptr;
}

// What the parts of a switch cost on their own, `parts` times each.
void timeParts(CPELKOmouseDlg& dialog, int parts) {
    timeEach("switch.part.load_image_ms", parts, [&](int i) {
        HANDLE image = ::LoadImageW(dialog.skinLibrary,
                                    MAKEINTRESOURCEW(i % 2 ? kMainBackground : kOptionsBackground),
                                    IMAGE_BITMAP, 0, 0, kBackgroundLoadFlags);
        ::DeleteObject(image);
    });
    timeEach("switch.part.show_controls_ms", parts, [&](int i) {
        const layout::Page page = i % 2 ? layout::Page::Main : layout::Page::Options;
        for (const layout::Control& row : layout::kControls) {
            if (row.page == layout::Page::Both) continue;
            ::ShowWindow(controlWindow(dialog, row), row.page == page ? SW_SHOW : SW_HIDE);
        }
    });
    timeEach("switch.part.invalidate_ms", parts, [&](int) { dialog.Invalidate(TRUE); });
    timeEach("switch.part.set_timer_ms", parts,
             [&](int) { dialog.SetTimer(layout::timer::kReleaseButtons, 400); });
}

constexpr int kBatches = 5;

void switchPages(CPELKOmouseDlg& dialog, int count) {
    const long before = GdiLiveObjects();
    for (int batch = 0; batch < kBatches; ++batch)
        timeEach("switch.ms", count / kBatches, [&](int i) {
            dialog.SendMessage(WM_COMMAND, i % 2 ? layout::id::kMainTab : layout::id::kOptionsTab);
        });
    sample("switch.gdi_before", double(before));
    sample("switch.gdi_after", double(GdiLiveObjects()));

    // The parts of a switch, each on its own.
    const int parts = count < 2000 ? count / kBatches : 400;
    for (int batch = 0; batch < kBatches; ++batch)
        timeParts(dialog, parts);
    dialog.KillTimer(layout::timer::kReleaseButtons);
}

int buildWindows(int count) {
    const long before = GdiLiveObjects();
    for (int batch = 0; batch < kBatches; ++batch)
        timeEach("builds.ms", count / kBatches, [](int) {
            SimHidBus bus(2);
            bus.install();
            CPELKOmouseDlg dialog(nullptr); // destroyed before the bus it talks to
            dialog.Create();
        });
    sample("builds.gdi_before", double(before));
    sample("builds.gdi_after", double(GdiLiveObjects()));
    return 0;
}

// Dispatches this thread's messages as the dialog's modal loop does.
// Stops after the message that makes stop() true.
template <typename Stop> void dispatchPending(CPELKOmouseDlg& dialog, Stop stop) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        bool ours = msg.hwnd == dialog.m_hWnd || ::IsChild(dialog, msg.hwnd);
        if (!(ours && (dialog.PreTranslateMessage(&msg) || ::IsDialogMessageW(dialog, &msg)))) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (stop()) return;
    }
}

void pumpFor(CPELKOmouseDlg& dialog, double milliseconds) {
    const auto start = Clock::now();
    while (msSince(start) < milliseconds) {
        dispatchPending(dialog, [] { return false; });
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// When the Apply button is enabled again (WM_ENABLE reaches it): caught by a hook on this
// thread's window procedure calls, since the release sleeps right after enabling it.
Clock::time_point applyEnabledAt;
HWND applyButton = nullptr;

LRESULT CALLBACK watchEnable(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == applyButton && call->message == WM_ENABLE &&
        call->wParam)
        applyEnabledAt = Clock::now();
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void clickApply(CPELKOmouseDlg& dialog, SimHidBus& bus) {
    RECT r;
    ::GetWindowRect(dialog.button(kApply), &r);
    const POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    sendRealMouse(0, centre);
    pumpFor(dialog, 300);
    const size_t exchangesBefore = bus.wireLog.size();
    const double waitsBefore = totalWaitMilliseconds();
    applyEnabledAt = {};
    const auto clicked = Clock::now();
    sendRealMouse(MOUSEEVENTF_LEFTDOWN, centre);
    sendRealMouse(MOUSEEVENTF_LEFTUP, centre);
    bool disabledSeen = false;
    auto released = [&] {
        CHoverButtonV2& button = dialog.button(kApply);
        disabledSeen = disabledSeen || !button.IsWindowEnabled();
        return disabledSeen && button.IsWindowEnabled() && !button.GetCheck();
    };
    while (!released() && msSince(clicked) < 5000) {
        dispatchPending(dialog, released);
        if (!released()) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    const auto releasedAt = Clock::now();
    // The Apply sequence's exchanges begin with the stage read ('D' at 7); a watch poll may
    // come before it.
    size_t first = exchangesBefore;
    while (first < bus.wireLog.size() &&
           !(bus.wireLog[first].command == 'D' && bus.wireLog[first].payload[0] == 7))
        ++first;
    if (!disabledSeen || bus.wireLog.size() < first + 30 || applyEnabledAt == Clock::time_point{}) {
        std::printf("apply.failed 1\n");
        return;
    }
    const auto firstAt = bus.wireLog[first].at;
    const auto lastAt = bus.wireLog[first + 29].at;
    const double waits = totalWaitMilliseconds() - waitsBefore;
    const double total = msSince(clicked, releasedAt);
    sample("apply.inproc.total_ms", total);
    sample("apply.inproc.outside_ms", total - 1100.0);
    sample("apply.part.click_to_first_exchange_ms", msSince(clicked, firstAt));
    sample("apply.part.exchanges_work_ms", msSince(firstAt, lastAt) - waits);
    sample("apply.part.protocol_wait_late_ms", waits - 600.0);
    sample("apply.part.release_timer_late_ms", msSince(lastAt, applyEnabledAt) - 400.0);
    sample("apply.part.release_sleep_late_ms", msSince(applyEnabledAt, releasedAt) - 100.0);
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (std::strcmp(mode, "builds") == 0 && count > 0) return buildWindows(count);
    const bool switches = std::strcmp(mode, "switches") == 0;
    const bool apply = std::strcmp(mode, "apply") == 0;
    if ((!switches && !apply) || count <= 0) {
        std::fprintf(stderr, "usage: pelko_window_bench builds N | switches N | apply N\n");
        return 2;
    }
    SimHidBus bus(2);
    bus.install();
    CPELKOmouseDlg dialog(nullptr);
    if (!dialog.Create() || !dialog.currentDevice) {
        std::fprintf(stderr, "pelko_window_bench: the main window was not built\n");
        return 1;
    }
    if (switches) switchPages(dialog, count);
    if (apply) {
        applyButton = dialog.button(kApply);
        HHOOK hook =
            ::SetWindowsHookExW(WH_CALLWNDPROC, watchEnable, nullptr, ::GetCurrentThreadId());
        dialog.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dialog.ShowWindow(SW_SHOWNORMAL);
        dialog.UpdateWindow();
        pumpFor(dialog, 1500);
        for (int i = 0; i < count; ++i) {
            clickApply(dialog, bus);
            pumpFor(dialog, 300);
        }
        ::UnhookWindowsHookEx(hook);
    }
    // The window goes with the process: destroying a shown window costs about 2 s under Wine.
    std::fflush(stdout);
    ::ExitProcess(0);
}
