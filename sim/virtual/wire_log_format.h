/* A wire-log line as the demo writes it:
 * "<index> <ms since the first exchange> <request hex> <reply hex> <result>\n". */
#pragma once

#include <ddk/wdm.h>

#define WIRE_LOG_LINE_SIZE 96

/* Writes the line and its terminating 0 into `line` (WIRE_LOG_LINE_SIZE bytes); its length. */
ULONG formatWireLogLine(char* line, ULONG index, ULONGLONG milliseconds, const UCHAR* request,
                        const UCHAR* reply, const char* result);
