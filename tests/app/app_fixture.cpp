#include "tests/app/app_fixture.h"

#include "device/feature_report.h"

void AppTest::SetUp() {
    windows.install();
    resetBus();
}

void AppTest::TearDown() {
    dialog.reset();
    bus.reset();
    FakeSystemParameters::uninstall();
}

void AppTest::resetBus(int othersBefore) {
    dialog.reset();
    bus.reset();
    bus = std::make_unique<SimHidBus>(othersBefore);
    bus->install();
    sharedFeatureReport() = FeatureReport{};
}

CPELKOmouseDlg& AppTest::build() {
    dialog = std::make_unique<CPELKOmouseDlg>(nullptr);
    EXPECT_TRUE(dialog->Create());
    return *dialog;
}

std::vector<WireExchange> AppTest::exchangesSince(size_t first) const {
    if (first >= bus->wireLog.size()) return {};
    return {bus->wireLog.begin() + std::ptrdiff_t(first), bus->wireLog.end()};
}
