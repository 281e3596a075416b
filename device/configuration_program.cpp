#include "device/configuration_program.h"

#include "device/hid_bus.h"
#include "device/machine_objects.h"

bool announceConfigurationProgram() {
    // Never signalled and never closed: only its existence says something.
    static const HANDLE held = createSharedEvent(hidBus().configurationProgramName);
    return held != nullptr;
}

bool configurationProgramRunning() {
    return sharedEventExists(hidBus().configurationProgramName);
}
