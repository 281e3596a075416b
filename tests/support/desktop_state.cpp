// Every test program that shows windows starts from the same Windows state, whatever an
// earlier program left in the shared prefix: Windows' own pointer settings (and the registry
// values behind them), the buttons unswapped and the pointer in a corner over no window.
// Linked into those programs as an object, it registers
// itself as a GoogleTest environment before main runs.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr int kDefaultSpeed = 10;
constexpr int kAccelerationOn[3] = {6, 10, 1};
constexpr UINT kDefaultWheelLines = 3;
constexpr UINT kStore = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

class DesktopState : public ::testing::Environment {
  public:
    void SetUp() override {
        // The speed in both arguments: Windows reads the pointer argument, Wine 8 the number.
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETMOUSESPEED, kDefaultSpeed,
                                            reinterpret_cast<PVOID>(intptr_t(kDefaultSpeed)),
                                            kStore));
        int acceleration[3] = {kAccelerationOn[0], kAccelerationOn[1], kAccelerationOn[2]};
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETMOUSE, 0, acceleration, kStore));
        ASSERT_TRUE(
            ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, kDefaultWheelLines, nullptr, kStore));
        ASSERT_TRUE(::SystemParametersInfoW(SPI_SETMOUSEBUTTONSWAP, FALSE, nullptr, kStore));
        // Bottom right, where no test places a window.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new DesktopState);

} // namespace
