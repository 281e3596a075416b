#include "sim/virtual/driver_files.h"

#define MAX_PATH_CHARS 520

/* FileRenameInformation and FileDispositionInformation (ntifs.h, which MinGW's headers only
 * reach through another include path). */
typedef struct {
    BOOLEAN ReplaceIfExists;
    HANDLE RootDirectory;
    ULONG FileNameLength;
    WCHAR FileName[MAX_PATH_CHARS];
} RenameInformation;

typedef struct {
    BOOLEAN DeleteFile;
} DispositionInformation;

static NTSTATUS openFile(const WCHAR* path, ACCESS_MASK access, ULONG disposition, HANDLE* file) {
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK io;
    RtlInitUnicodeString(&name, path);
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL,
                               NULL);
    return ZwCreateFile(file, access | SYNCHRONIZE, &attributes, &io, NULL, FILE_ATTRIBUTE_NORMAL,
                        FILE_SHARE_READ, disposition,
                        FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
}

BOOLEAN readWholeFile(const WCHAR* path, UCHAR* bytes, ULONG size) {
    HANDLE file;
    IO_STATUS_BLOCK io;
    UCHAR extra;
    BOOLEAN whole;
    if (!path[0] || !NT_SUCCESS(openFile(path, GENERIC_READ, FILE_OPEN, &file))) return FALSE;
    whole = NT_SUCCESS(ZwReadFile(file, NULL, NULL, NULL, &io, bytes, size, NULL, NULL)) &&
            io.Information == size;
    /* One byte more means the file is not a memory image. */
    if (whole && NT_SUCCESS(ZwReadFile(file, NULL, NULL, NULL, &io, &extra, 1, NULL, NULL)) &&
        io.Information)
        whole = FALSE;
    ZwClose(file);
    return whole;
}

static BOOLEAN renameOver(HANDLE file, const WCHAR* target) {
    RenameInformation rename;
    IO_STATUS_BLOCK io;
    ULONG length = 0;
    while (target[length] && length < MAX_PATH_CHARS)
        ++length;
    if (target[length]) return FALSE;
    RtlZeroMemory(&rename, sizeof(rename));
    rename.ReplaceIfExists = TRUE;
    rename.FileNameLength = length * sizeof(WCHAR);
    RtlCopyMemory(rename.FileName, target, length * sizeof(WCHAR));
    return NT_SUCCESS(
        ZwSetInformationFile(file, &io, &rename, sizeof(rename), FileRenameInformation));
}

BOOLEAN replaceFile(const WCHAR* path, const UCHAR* bytes, ULONG size) {
    WCHAR temporary[MAX_PATH_CHARS + 5];
    HANDLE file;
    IO_STATUS_BLOCK io;
    ULONG length = 0;
    BOOLEAN done;
    while (path[length] && length < MAX_PATH_CHARS)
        ++length;
    if (!length || path[length]) return FALSE;
    RtlCopyMemory(temporary, path, length * sizeof(WCHAR));
    RtlCopyMemory(temporary + length, L".tmp", 5 * sizeof(WCHAR));
    if (!NT_SUCCESS(openFile(temporary, GENERIC_WRITE | DELETE, FILE_OVERWRITE_IF, &file)))
        return FALSE;
    done = NT_SUCCESS(ZwWriteFile(file, NULL, NULL, NULL, &io, (void*)bytes, size, NULL, NULL)) &&
           io.Information == size && renameOver(file, path);
    if (!done) {
        DispositionInformation disposition = {TRUE};
        ZwSetInformationFile(file, &io, &disposition, sizeof(disposition),
                             FileDispositionInformation);
    }
    ZwClose(file);
    return done;
}

BOOLEAN appendToFile(const WCHAR* path, const char* text, ULONG length) {
    HANDLE file;
    IO_STATUS_BLOCK io;
    BOOLEAN done;
    if (!path[0] || !NT_SUCCESS(openFile(path, FILE_APPEND_DATA, FILE_OPEN_IF, &file)))
        return FALSE;
    done = NT_SUCCESS(ZwWriteFile(file, NULL, NULL, NULL, &io, (void*)text, length, NULL, NULL));
    ZwClose(file);
    return done;
}
