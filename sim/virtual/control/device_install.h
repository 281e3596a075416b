// Plugging the virtual mouse into the system: its two root-enumerated devices, the driver from
// pelkovirt.inf beside this program, and the driver's service, which Wine's device host starts
// and stops (stopping it removes the devices, as pulling the cable would).
#pragma once

#include <string>

inline constexpr wchar_t kServiceName[] = L"pelkovirt";

// Removes the devices of an earlier plug, creates them anew, installs the driver and starts
// it; true once the vendor interface is present and the driver running is `driverPath`.
bool plugVirtualMouse(const std::wstring& infPath, const std::wstring& driverPath);
// Stops the driver; true once the vendor interface is gone.
bool unplugVirtualMouse();
// Whether a HID interface of the vendor collection is present.
bool vendorInterfacePresent();
