/* The files the virtual mouse keeps: its non-volatile memory (130 raw bytes, replaced whole
 * through a temporary file and a rename) and the wire log it appends to. Paths are NT paths
 * (\??\C:\...). */
#pragma once

#include <ddk/wdm.h>

/* TRUE when the file holds exactly `size` bytes; they are then in `bytes`. */
BOOLEAN readWholeFile(const WCHAR* path, UCHAR* bytes, ULONG size);
/* Writes `path`.tmp and renames it over `path`; the old file stays on failure. */
BOOLEAN replaceFile(const WCHAR* path, const UCHAR* bytes, ULONG size);
BOOLEAN appendToFile(const WCHAR* path, const char* text, ULONG length);
