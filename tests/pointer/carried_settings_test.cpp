// From a profile record's pointer bytes to the settings Windows receives, over the stand-in
// that keeps the values as Windows does: what the record carries is applied as the window's
// Apply would apply it, each setting on its own; anything else leaves Windows' own value.
#include "pointer/pointer_settings.h"
#include "tests/support/fake_system_parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <optional>

namespace {

using MouseArray = std::array<int, 3>;
constexpr MouseArray kOn = {6, 10, 1}, kOff = {0, 0, 0};
// What Windows holds before each case: no value a profile could give.
constexpr MouseArray kWindowsMouse = {4, 12, 0};
constexpr int kWindowsSpeed = 7;
constexpr UINT kWindowsLines = 9;

FakeSystemParameters fake;

class CarriedSettings : public testing::Test {
  protected:
    void SetUp() override {
        fake = FakeSystemParameters{};
        fake.mouse = kWindowsMouse;
        fake.speed = kWindowsSpeed;
        fake.wheelLines = kWindowsLines;
        fake.install();
    }
    void TearDown() override { FakeSystemParameters::uninstall(); }
};

CarriedSettingsOutcome applyRecord(int speed, int acceleration, int wheel) {
    return applyCarriedPointerSettings(
        carriedPointerSettings({int8_t(speed), int8_t(acceleration), int8_t(wheel)}));
}

} // namespace

TEST_F(CarriedSettings, OnlyWhatTheRecordCarriesAndAControlShowsReachesWindows) {
    struct Row {
        int speed, acceleration, wheel; // the record's bytes
        std::optional<MouseArray> mouse;
        std::optional<int> windowsSpeed;
        std::optional<UINT> lines;
    };
    const Row rows[] = {
        {10, 1, 7, kOn, 10, 7u},                         // the detent's 10.5 is Windows' 10
        {11, 0, 0x85, kOff, 10, UINT(WHEEL_PAGESCROLL)}, // page flag, 5 lines below it
        {12, 1, 0x80, kOn, 12, UINT(WHEEL_PAGESCROLL)},  // page flag over 0 lines
        {20, 0, 100, kOff, 20, 100u},
        {1, 1, 1, kOn, 1, 1u},
        {0, 2, 0, {}, {}, {}},     // carries nothing: speed 0, an odd acceleration byte, wheel 0
        {21, -1, 101, {}, {}, {}}, // values beyond the controls
        {-3, 1, 127, kOn, {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "speed " << row.speed << ", acceleration "
                                        << row.acceleration << ", wheel " << row.wheel);
        SetUp();
        const CarriedSettingsOutcome outcome = applyRecord(row.speed, row.acceleration, row.wheel);
        EXPECT_EQ(fake.mouse, row.mouse.value_or(kWindowsMouse));
        EXPECT_EQ(fake.speed, row.windowsSpeed.value_or(kWindowsSpeed));
        EXPECT_EQ(fake.wheelLines, row.lines.value_or(kWindowsLines));
        auto expected = [](bool applied) {
            return applied ? SettingOutcome::Applied : SettingOutcome::Left;
        };
        EXPECT_EQ(outcome.acceleration, expected(row.mouse.has_value()));
        EXPECT_EQ(outcome.speed, expected(row.windowsSpeed.has_value()));
        EXPECT_EQ(outcome.wheel, expected(row.lines.has_value()));
        // Set as the window's Apply sets them: only the wheel stored and announced; no read.
        for (const ParametersCall& call : fake.calls) {
            EXPECT_TRUE(call.action == SPI_SETMOUSE || call.action == SPI_SETMOUSESPEED ||
                        call.action == SPI_SETWHEELSCROLLLINES);
            EXPECT_EQ(call.winIni, call.action == SPI_SETWHEELSCROLLLINES
                                       ? UINT(SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
                                       : 0u);
        }
    }
}

TEST_F(CarriedSettings, ASettingWindowsRefusesLeavesTheOthersApplied) {
    for (UINT refused : {SPI_SETMOUSE, SPI_SETMOUSESPEED, SPI_SETWHEELSCROLLLINES}) {
        SCOPED_TRACE(testing::Message() << "refused action " << refused);
        SetUp();
        fake.failing = {refused};
        const CarriedSettingsOutcome outcome = applyRecord(12, 1, 7);
        auto expected = [&](UINT action) {
            return action == refused ? SettingOutcome::Refused : SettingOutcome::Applied;
        };
        EXPECT_EQ(outcome.acceleration, expected(SPI_SETMOUSE));
        EXPECT_EQ(outcome.speed, expected(SPI_SETMOUSESPEED));
        EXPECT_EQ(outcome.wheel, expected(SPI_SETWHEELSCROLLLINES));
        EXPECT_EQ(fake.mouse, refused == SPI_SETMOUSE ? kWindowsMouse : kOn);
        EXPECT_EQ(fake.speed, refused == SPI_SETMOUSESPEED ? kWindowsSpeed : 12);
        EXPECT_EQ(fake.wheelLines, refused == SPI_SETWHEELSCROLLLINES ? kWindowsLines : 7u);
    }
}
