#include "tests/support/fake_system_parameters.h"

#include "pointer/pointer_settings.h"

#include <cstring>

namespace {

FakeSystemParameters* installed = nullptr;

BOOL WINAPI fakeParametersInfo(UINT action, UINT param, PVOID data, UINT winIni) {
    FakeSystemParameters& fake = *installed;
    fake.calls.push_back({action, param, reinterpret_cast<uintptr_t>(data), winIni});
    if (fake.failing.count(action)) return FALSE;
    switch (action) {
    case SPI_GETMOUSE:
        std::memcpy(data, fake.mouse.data(), sizeof(fake.mouse));
        return TRUE;
    case SPI_SETMOUSE:
        std::memcpy(fake.mouse.data(), data, sizeof(fake.mouse));
        return TRUE;
    case SPI_GETMOUSESPEED:
        *static_cast<int*>(data) = fake.speed;
        return TRUE;
    case SPI_SETMOUSESPEED:
        fake.speed = int(reinterpret_cast<intptr_t>(data));
        return TRUE;
    case SPI_GETWHEELSCROLLLINES:
        *static_cast<UINT*>(data) = fake.wheelLines;
        return TRUE;
    case SPI_SETWHEELSCROLLLINES:
        fake.wheelLines = param;
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void FakeSystemParameters::install() {
    installed = this;
    installSystemParametersInfo(fakeParametersInfo);
}

void FakeSystemParameters::uninstall() {
    installSystemParametersInfo(nullptr);
    installed = nullptr;
}
