/* The control channel: values under the driver's Parameters key, written by the control
 * program (pelko-device.exe) and read by the driver at the start of the device and at every
 * exchange. Button presses are counters that only grow, so the driver applies the presses it
 * has not seen and no value is written by both sides. */
#pragma once

#include "sim/virtual/firmware_bridge.h"

#include <ddk/wdm.h>

#define CONTROL_PATH_CHARS 520
#define CONTROL_NONE 0xFFFFFFFFu

typedef struct {
    ULONG cpiPresses;
    ULONG profilePresses;
    ULONG factoryResets;
    /* Exchange indexes, counted from 0 over every HidD_SetFeature since the device started;
     * CONTROL_NONE: no such fault. From unplugAt on every request fails. */
    ULONG failSendAt;
    ULONG failReceiveAt;
    ULONG unplugAt;
    FirmwareFaults firmware;
} ControlValues;

typedef struct {
    WCHAR memoryFile[CONTROL_PATH_CHARS];
    WCHAR wireLog[CONTROL_PATH_CHARS];
} ControlFiles;

/* Keeps "<service key>\Parameters" for the reads below. */
NTSTATUS controlInit(const UNICODE_STRING* serviceKey);
/* Missing values read as no fault, no press and no file. */
void controlReadValues(ControlValues* values);
void controlReadFiles(ControlFiles* files);
