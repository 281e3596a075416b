#include "sim/second_host.h"

#include "device/mouse_lock.h"
#include "device/protocol_constants.h"

namespace {

// Long enough for any sequence the first program runs; a bound only against a hung test.
constexpr DWORD kArrivalWaitMs = 10000;

std::string vendorPath(const SimHidBus& bus) {
    for (const SimInterface& device : bus.interfaces)
        if (device.kind == SimInterfaceKind::MouseVendor)
            return std::string(device.path.begin(), device.path.end()); // ASCII
    return {};
}

} // namespace

SecondHost::SecondHost(SimHidBus& bus, int atExchange)
    : m_bus(bus), m_atExchange(atExchange),
      m_arrived(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_handle = m_bus.createFile(vendorPath(bus).c_str(), GENERIC_READ | GENERIC_WRITE, 0);
    m_bus.afterRequest = [this](int index) { comeIn(index); };
}

SecondHost::~SecondHost() {
    finish();
    if (m_handle != INVALID_HANDLE_VALUE) m_bus.closeHandle(m_handle);
    ::CloseHandle(m_arrived);
    ::CloseHandle(m_finished);
}

// On the first program's thread, between its request and its reply.
void SecondHost::comeIn(int index) {
    if (index != m_atExchange || m_started) return;
    m_started = true;
    m_thread = std::thread([this] { run(); });
    ::WaitForSingleObject(m_arrived, kArrivalWaitMs);
}

void SecondHost::run() {
    {
        const MouseLock atOnce(0);
        if (atOnce.held()) {
            sendAndCollect();
            return;
        }
    }
    ::SetEvent(m_arrived);
    const MouseLock waited;
    if (waited.held()) sendAndCollect();
}

void SecondHost::sendAndCollect() {
    uint8_t report[9] = {0, TransportMask, Command::ScratchChunk0};
    for (int i = 3; i < 9; ++i)
        report[i] = TransportMask;
    if (m_bus.setFeature(m_handle, report, sizeof(report))) m_sentAt = m_bus.exchangeCount() - 1;
    ::SetEvent(m_arrived);
    ::WaitForSingleObject(m_finished, INFINITE);
    m_bus.getFeature(m_handle, report, sizeof(report));
}

int SecondHost::finish() {
    ::SetEvent(m_finished);
    if (m_thread.joinable()) m_thread.join();
    m_bus.afterRequest = nullptr;
    return m_sentAt;
}
