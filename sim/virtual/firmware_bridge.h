/* The one firmware model (sim/pelko_firmware.h) as the driver's C code calls it: one mouse
 * per driver. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

#define FIRMWARE_MEMORY_SIZE 130
#define FIRMWARE_REPORT_SIZE 9

typedef struct {
    int replyMask; /* -1: the request's mask */
    unsigned char refusedCommands[32];
    unsigned refusedCommandCount;
    unsigned char refusedAddresses[64]; /* (command, address) pairs */
    unsigned refusedAddressCount;
} FirmwareFaults;

/* A fresh firmware holding `memory` (130 bytes), or the factory memory when it is null. */
void firmwareStart(const unsigned char* memory);
void firmwareSetFaults(const FirmwareFaults* faults);
void firmwareAnswer(const unsigned char* request, unsigned char* reply);
void firmwarePressCpiButton(void);
void firmwarePressProfileButton(void);
void firmwareFactoryReset(void);
/* Copies the memory into `memory` and says whether it changed since the last call. */
int firmwareTakeMemoryChange(unsigned char* memory);

#ifdef __cplusplus
}
#endif
