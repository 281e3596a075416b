#include "sim/virtual/driver_control.h"

#define KEY_PATH_CHARS 300

static WCHAR g_parametersPath[KEY_PATH_CHARS];

NTSTATUS controlInit(const UNICODE_STRING* serviceKey) {
    static const WCHAR suffix[] = L"\\Parameters";
    const ULONG length = serviceKey->Length / sizeof(WCHAR);
    if (length + sizeof(suffix) / sizeof(WCHAR) > KEY_PATH_CHARS) return STATUS_NAME_TOO_LONG;
    RtlCopyMemory(g_parametersPath, serviceKey->Buffer, length * sizeof(WCHAR));
    RtlCopyMemory(g_parametersPath + length, suffix, sizeof(suffix));
    return STATUS_SUCCESS;
}

static HANDLE openParameters(void) {
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    HANDLE key;
    RtlInitUnicodeString(&name, g_parametersPath);
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL,
                               NULL);
    return NT_SUCCESS(ZwOpenKey(&key, KEY_QUERY_VALUE, &attributes)) ? key : NULL;
}

/* The value's bytes (at most `capacity`) and its type; 0 bytes when it is missing. */
static ULONG readValue(HANDLE key, const WCHAR* valueName, void* data, ULONG capacity,
                       ULONG* type) {
    struct {
        KEY_VALUE_PARTIAL_INFORMATION info;
        UCHAR room[CONTROL_PATH_CHARS * sizeof(WCHAR)];
    } value;
    UNICODE_STRING name;
    ULONG size = 0;
    RtlInitUnicodeString(&name, valueName);
    if (!key || !NT_SUCCESS(ZwQueryValueKey(key, &name, KeyValuePartialInformation, &value,
                                            sizeof(value), &size)))
        return 0;
    if (value.info.DataLength > capacity) return 0;
    RtlCopyMemory(data, value.info.Data, value.info.DataLength);
    *type = value.info.Type;
    return value.info.DataLength;
}

static ULONG readDword(HANDLE key, const WCHAR* name, ULONG fallback) {
    ULONG number = 0, type = 0;
    return readValue(key, name, &number, sizeof(number), &type) == sizeof(number) &&
                   type == REG_DWORD
               ? number
               : fallback;
}

static ULONG readBinary(HANDLE key, const WCHAR* name, UCHAR* bytes, ULONG capacity) {
    ULONG type = 0;
    const ULONG length = readValue(key, name, bytes, capacity, &type);
    return type == REG_BINARY ? length : 0;
}

static void readPath(HANDLE key, const WCHAR* name, WCHAR* path) {
    ULONG type = 0;
    const ULONG bytes = readValue(key, name, path, (CONTROL_PATH_CHARS - 1) * sizeof(WCHAR), &type);
    path[type == REG_SZ ? bytes / sizeof(WCHAR) : 0] = 0;
}

void controlReadValues(ControlValues* values) {
    HANDLE key = openParameters();
    ULONG mask;
    values->cpiPresses = readDword(key, L"CpiPresses", 0);
    values->profilePresses = readDword(key, L"ProfilePresses", 0);
    values->factoryResets = readDword(key, L"FactoryResets", 0);
    values->failSendAt = readDword(key, L"FailSendAt", CONTROL_NONE);
    values->failReceiveAt = readDword(key, L"FailReceiveAt", CONTROL_NONE);
    values->unplugAt = readDword(key, L"UnplugAt", CONTROL_NONE);
    mask = readDword(key, L"ReplyMask", CONTROL_NONE);
    values->firmware.replyMask = mask <= 0xFF ? (int)mask : -1;
    values->firmware.refusedCommandCount =
        readBinary(key, L"RefusedCommands", values->firmware.refusedCommands,
                   sizeof(values->firmware.refusedCommands));
    values->firmware.refusedAddressCount =
        readBinary(key, L"RefusedAddresses", values->firmware.refusedAddresses,
                   sizeof(values->firmware.refusedAddresses)) /
        2;
    if (key) ZwClose(key);
}

void controlReadFiles(ControlFiles* files) {
    HANDLE key = openParameters();
    readPath(key, L"MemoryFile", files->memoryFile);
    readPath(key, L"WireLog", files->wireLog);
    if (key) ZwClose(key);
}
