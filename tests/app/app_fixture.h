// The main window built in this process over the simulated mouse and a stand-in for the
// Windows pointer settings. Windows are created hidden (cheap under Wine) unless a test
// shows one.
#pragma once

#include "app/main_dialog.h"
#include "sim/sim_bus.h"
#include "tests/support/fake_system_parameters.h"

#include <gtest/gtest.h>

#include <memory>

// Unlock (6), scratch read (9), firmware version (1), block read (26).
inline constexpr int kStartUpExchanges = 42;

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A new simulated bus: the mouse (MI_00, MI_01) behind `othersBefore` other products.
    void resetBus(int othersBefore = 2);
    // Builds the main window (OnInitDialog runs) and returns it.
    CPELKOmouseDlg& build();
    void destroy() { dialog.reset(); }

    // The wire log's exchanges from index `first` on.
    std::vector<WireExchange> exchangesSince(size_t first) const;

    std::unique_ptr<SimHidBus> bus;
    std::unique_ptr<CPELKOmouseDlg> dialog;
    FakeSystemParameters windows;
};
