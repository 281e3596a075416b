// The pointer settings over a stand-in that keeps the values as Windows does.
#include "pointer/pointer_settings.h"
#include "tests/support/fake_system_parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <set>
#include <vector>

namespace {

FakeSystemParameters fake;

class PointerSettings : public testing::Test {
  protected:
    void SetUp() override {
        fake = FakeSystemParameters{};
        fake.install();
    }
    void TearDown() override { FakeSystemParameters::uninstall(); }
};

constexpr UINT kStoreAndAnnounce = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

} // namespace

TEST_F(PointerSettings, ApplySetsAccelerationAndSpeedForTheSessionAndStoresTheWheel) {
    fake.mouse = {4, 12, 0};
    const AppliedPointerValues applied = applyPointerSettings({true, 12.7f, 7.6f, false});
    ASSERT_EQ(fake.calls.size(), 4u);
    EXPECT_EQ(fake.calls[0].action, UINT(SPI_GETMOUSE));
    EXPECT_EQ(fake.calls[1].action, UINT(SPI_SETMOUSE));
    EXPECT_EQ(fake.calls[2].action, UINT(SPI_SETMOUSESPEED));
    EXPECT_EQ(fake.calls[2].data, 12u);
    EXPECT_EQ(fake.calls[3].action, UINT(SPI_SETWHEELSCROLLLINES));
    EXPECT_EQ(fake.calls[3].param, 7u);
    for (size_t i = 0; i < fake.calls.size(); ++i)
        EXPECT_EQ(fake.calls[i].winIni, i == 3 ? kStoreAndAnnounce : 0u) << "call " << i;
    EXPECT_EQ(fake.mouse, (std::array<int, 3>{6, 10, 1}));
    EXPECT_EQ(applied.acceleration, 1);
    EXPECT_EQ(applied.wheelLines, 7);
    EXPECT_EQ(applied.onePage, 0);
    EXPECT_TRUE(applied.result);
}

TEST_F(PointerSettings, SliderValuesBecomeWholeSettingsWithTheTopJustBelowTheTop) {
    struct Row {
        float sensitivity, wheel;
        int speed;
        UINT lines;
    };
    for (const Row& row : {Row{19.9f, 99.0f, 20, 100}, Row{19.8f, 98.0f, 19, 98},
                           Row{1.9f, 98.5f, 1, 100}, Row{20.0f, 1.0f, 20, 1}}) {
        SCOPED_TRACE(testing::Message() << row.sensitivity << " / " << row.wheel);
        const AppliedPointerValues applied =
            applyPointerSettings({false, row.sensitivity, row.wheel, false});
        EXPECT_EQ(fake.speed, row.speed);
        EXPECT_EQ(fake.wheelLines, row.lines);
        EXPECT_EQ(applied.wheelLines, int32_t(row.lines));
    }
}

TEST_F(PointerSettings, OnePageScrollsByPagesAndKeepsTheWheelLinesForTheProfile) {
    const AppliedPointerValues applied = applyPointerSettings({false, 5.0f, 40.0f, true});
    ASSERT_EQ(fake.calls.size(), 4u);
    EXPECT_EQ(fake.calls[3].param, UINT(WHEEL_PAGESCROLL));
    EXPECT_EQ(fake.calls[3].winIni, kStoreAndAnnounce);
    EXPECT_EQ(fake.mouse, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(applied.acceleration, 0);
    EXPECT_EQ(applied.wheelLines, 40);
    EXPECT_EQ(applied.onePage, 0x80);

    // Page scrolling reads back as wheel 1 with "One Page" checked.
    const PointerReading reading = readPointerSettings();
    EXPECT_EQ(reading.speed, 5.0f);
    EXPECT_EQ(reading.wheel, 1.0f);
    EXPECT_TRUE(reading.checkOnePage);
    EXPECT_EQ(reading.accelerationOn, false);
}

TEST_F(PointerSettings, ReadShowsWheelLinesWithinTheSliderAndOnlyTheOwnArrayAsEnabled) {
    struct WheelRow {
        UINT lines;
        float wheel;
    };
    for (const WheelRow& row : {WheelRow{99, 100.0f}, WheelRow{98, 98.0f}, WheelRow{0, 1.0f}}) {
        fake.wheelLines = row.lines;
        const PointerReading reading = readPointerSettings();
        EXPECT_EQ(reading.wheel, row.wheel) << row.lines << " lines";
        EXPECT_FALSE(reading.checkOnePage) << row.lines << " lines";
    }
    using Array = std::array<int, 3>;
    for (const Array& mouse : {Array{6, 10, 0}, Array{4, 12, 1}, Array{0, 0, 0}, Array{6, 10, 1}}) {
        fake.mouse = mouse;
        EXPECT_EQ(readPointerSettings().accelerationOn, (mouse == Array{6, 10, 1}))
            << mouse[0] << "," << mouse[1] << "," << mouse[2];
    }
}

TEST_F(PointerSettings, FailedCallsLeaveTheControlsAsTheyAreAndAreReported) {
    fake.failing = {SPI_GETMOUSESPEED, SPI_GETWHEELSCROLLLINES, SPI_GETMOUSE};
    const PointerReading reading = readPointerSettings();
    EXPECT_EQ(reading.speed, 0.0f);
    EXPECT_FALSE(reading.wheel.has_value());
    EXPECT_FALSE(reading.checkOnePage);
    EXPECT_FALSE(reading.accelerationOn.has_value());

    fake.failing = {SPI_SETWHEELSCROLLLINES};
    EXPECT_FALSE(applyPointerSettings({true, 10.0f, 3.0f, false}).result);
    fake.failing = {SPI_SETMOUSE};
    EXPECT_TRUE(applyPointerSettings({true, 10.0f, 3.0f, false}).result);
}
