#include "sim/virtual/mouse_exchange.h"

#include "sim/virtual/driver_control.h"
#include "sim/virtual/driver_files.h"
#include "sim/virtual/firmware_bridge.h"
#include "sim/virtual/wire_log_format.h"

typedef struct {
    KMUTEX lock;
    ControlFiles files;
    ULONG cpiPresses, profilePresses, factoryResets; /* applied so far */
    ULONG exchangeCount;
    BOOLEAN unplugged;
    BOOLEAN pending; /* a reply waits for its HidD_GetFeature */
    UCHAR request[FIRMWARE_REPORT_SIZE];
    UCHAR reply[FIRMWARE_REPORT_SIZE];
    ULONG failReceiveAt;
    LARGE_INTEGER firstExchange, frequency;
} Mouse;

static Mouse g_mouse;
static const UCHAR kNoReply[FIRMWARE_REPORT_SIZE] = {0};

static void lock(void) {
    KeWaitForSingleObject(&g_mouse.lock, Executive, KernelMode, FALSE, NULL);
}

static void unlock(void) {
    KeReleaseMutex(&g_mouse.lock, FALSE);
}

void mouseInit(void) {
    KeInitializeMutex(&g_mouse.lock, 0);
}

void mouseStart(void) {
    UCHAR memory[FIRMWARE_MEMORY_SIZE];
    ControlValues values;
    lock();
    controlReadFiles(&g_mouse.files);
    controlReadValues(&values);
    firmwareStart(readWholeFile(g_mouse.files.memoryFile, memory, sizeof(memory)) ? memory : NULL);
    /* Saved now too, as the mouse's memory is there from the start. */
    firmwareTakeMemoryChange(memory);
    if (g_mouse.files.memoryFile[0]) replaceFile(g_mouse.files.memoryFile, memory, sizeof(memory));
    g_mouse.cpiPresses = values.cpiPresses;
    g_mouse.profilePresses = values.profilePresses;
    g_mouse.factoryResets = values.factoryResets;
    g_mouse.exchangeCount = 0;
    g_mouse.unplugged = FALSE;
    g_mouse.pending = FALSE;
    unlock();
}

static void saveMemoryIfChanged(void) {
    UCHAR memory[FIRMWARE_MEMORY_SIZE];
    if (firmwareTakeMemoryChange(memory) && g_mouse.files.memoryFile[0])
        replaceFile(g_mouse.files.memoryFile, memory, sizeof(memory));
}

static void pressNewButtons(const ControlValues* values) {
    for (; g_mouse.cpiPresses != values->cpiPresses; ++g_mouse.cpiPresses)
        firmwarePressCpiButton();
    for (; g_mouse.profilePresses != values->profilePresses; ++g_mouse.profilePresses)
        firmwarePressProfileButton();
    for (; g_mouse.factoryResets != values->factoryResets; ++g_mouse.factoryResets)
        firmwareFactoryReset();
}

static void logExchange(ULONG index, const UCHAR* reply, const char* result) {
    char line[WIRE_LOG_LINE_SIZE];
    LARGE_INTEGER now = KeQueryPerformanceCounter(NULL);
    const ULONGLONG ticks = (ULONGLONG)(now.QuadPart - g_mouse.firstExchange.QuadPart);
    const ULONGLONG milliseconds = ticks * 1000 / (ULONGLONG)g_mouse.frequency.QuadPart;
    const ULONG length =
        formatWireLogLine(line, index, milliseconds, g_mouse.request, reply, result);
    appendToFile(g_mouse.files.wireLog, line, length);
}

/* A reply nobody collected is logged as lost when the next request comes. */
static void dropPendingReply(void) {
    if (g_mouse.pending) logExchange(g_mouse.exchangeCount - 1, kNoReply, "receive-failed");
    g_mouse.pending = FALSE;
}

NTSTATUS mouseSetFeature(const UCHAR* data) {
    ControlValues values;
    ULONG index;
    lock();
    dropPendingReply();
    controlReadValues(&values);
    pressNewButtons(&values);
    firmwareSetFaults(&values.firmware);
    index = g_mouse.exchangeCount++;
    if (index == 0) g_mouse.firstExchange = KeQueryPerformanceCounter(&g_mouse.frequency);
    g_mouse.request[0] = 0;
    RtlCopyMemory(g_mouse.request + 1, data, FIRMWARE_REPORT_SIZE - 1);
    if (index == values.unplugAt) g_mouse.unplugged = TRUE;
    if (g_mouse.unplugged || index == values.failSendAt) {
        logExchange(index, kNoReply, "send-failed");
        saveMemoryIfChanged();
        unlock();
        return g_mouse.unplugged ? STATUS_DEVICE_NOT_CONNECTED : STATUS_IO_DEVICE_ERROR;
    }
    firmwareAnswer(g_mouse.request, g_mouse.reply);
    g_mouse.pending = TRUE;
    g_mouse.failReceiveAt = values.failReceiveAt;
    saveMemoryIfChanged();
    unlock();
    return STATUS_SUCCESS;
}

NTSTATUS mouseGetFeature(UCHAR* data) {
    NTSTATUS status = STATUS_IO_DEVICE_ERROR;
    ULONG index;
    lock();
    index = g_mouse.exchangeCount - 1;
    if (g_mouse.pending && index == g_mouse.failReceiveAt) {
        logExchange(index, kNoReply, "receive-failed");
    } else if (g_mouse.pending && !g_mouse.unplugged) {
        RtlCopyMemory(data, g_mouse.reply + 1, FIRMWARE_REPORT_SIZE - 1);
        logExchange(index, g_mouse.reply, g_mouse.reply[2] ? "accepted" : "refused");
        status = STATUS_SUCCESS;
    }
    g_mouse.pending = FALSE;
    unlock();
    return status;
}
