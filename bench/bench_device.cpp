// Prints, for start-up, Apply, OK and one watch tick against the simulated mouse, the number of
// exchanges and the time spent outside the protocol's fixed waits.
#include "device/commit.h"
#include "device/config_block.h"
#include "device/device_start_up.h"
#include "device/mouse_ids.h"
#include "device/device_requests.h"
#include "device/protocol_wait.h"
#include "sim/sim_bus.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

struct Figures {
    int exchanges;
    double totalMs;
    double waitMs;
};

Figures measure(SimHidBus& bus, const std::function<void()>& work) {
    const int exchangesBefore = bus.exchangeCount();
    const double waitBefore = totalWaitMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> total =
        std::chrono::steady_clock::now() - start;
    return {bus.exchangeCount() - exchangesBefore, total.count(),
            totalWaitMilliseconds() - waitBefore};
}

void print(const char* name, const Figures& figures) {
    std::printf("%-10s %3d exchanges  %9.3f ms total  %9.3f ms in fixed waits  %9.1f us outside\n",
                name, figures.exchanges, figures.totalMs, figures.waitMs,
                (figures.totalMs - figures.waitMs) * 1000.0);
}

} // namespace

int main() {
    SimHidBus bus(2);
    bus.install();
    HidDevice* list = nullptr;
    int count = 0;
    HidDevice* current = nullptr;
    MouseSettings settings;
    ProfileMirror mirror;
    std::wstring version;

    const Figures startUp = measure(bus, [&] {
        findKnownHidDevices(&list, &count, kPelkoVendorId, kPelkoProductId);
        HidDevice* vendor = vendorRecord(list, count);
        current = vendor && startUpDevice(*vendor, settings, version) ? vendor : nullptr;
    });
    if (!current) {
        std::printf("no device\n");
        return 1;
    }
    PanelValues panel;
    panel.cpi1Code = 16;
    panel.cpi2Code = 32;
    panel.reportRateCode = 2;
    panel.pointerSpeed = 10.0f;
    panel.acceleration = 1;
    panel.wheelLines = 3;
    const int profile = settings.activeProfile;
    const Figures apply = measure(bus, [&] {
        storeProfile(settings, mirror, panel, profile);
        commitSettings(*current, settings, panel, profile, CommitKind::Apply);
    });
    panel.cpi1Code = 32;
    const Figures ok = measure(bus, [&] {
        storeProfile(settings, mirror, panel, profile);
        commitSettings(*current, settings, panel, profile, CommitKind::Ok);
    });
    const Figures watch = measure(bus, [&] { sendWatchRequest(*current); });

    print("start-up", startUp);
    print("apply", apply);
    print("ok", ok);
    print("watch", watch);
    for (int i = 0; i < count; ++i)
        closeHidDevice(list[i]);
    std::free(list);
    return 0;
}
