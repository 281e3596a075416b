// A second program on the simulated mouse. Armed at an exchange of the first program, it
// starts on a thread of its own right after that exchange's request has reached the firmware,
// takes the mouse as every program does (device/mouse_lock.h) and sends a request of its own,
// a scratch read, on a handle of its own; it collects its reply when told to finish. While the
// first program holds the mouse for its whole sequence, the second waits and sends after it;
// where it does not, the second's request lands before the first's reply is collected, and the
// first reads the second's reply.
#pragma once

#include "sim/sim_bus.h"

#include <thread>

class SecondHost {
  public:
    // Arms `bus`: the second program comes in after the request of exchange `atExchange`.
    SecondHost(SimHidBus& bus, int atExchange);
    ~SecondHost();
    SecondHost(const SecondHost&) = delete;
    SecondHost& operator=(const SecondHost&) = delete;

    // Lets the second program collect its reply and end. The wire-log index of its request;
    // -1 when it sent none (its exchange never came, or it could not have the mouse).
    int finish();

  private:
    void comeIn(int index);
    void run();
    void sendAndCollect();

    SimHidBus& m_bus;
    const int m_atExchange;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    HANDLE m_arrived;  // set once its request is sent, or once it waits for the mouse
    HANDLE m_finished; // set by finish()
    bool m_started = false;
    std::thread m_thread;
    int m_sentAt = -1;
};
