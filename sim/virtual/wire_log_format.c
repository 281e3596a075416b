#include "sim/virtual/wire_log_format.h"

typedef struct {
    char* text;
    ULONG length;
} Line;

static void put(Line* line, char c) {
    if (line->length + 1 < WIRE_LOG_LINE_SIZE) line->text[line->length++] = c;
}

static void putNumber(Line* line, ULONGLONG value) {
    char digits[20];
    int count = 0;
    do {
        digits[count++] = (char)('0' + value % 10);
        value /= 10;
    } while (value);
    while (count)
        put(line, digits[--count]);
}

static void putHex(Line* line, const UCHAR* bytes, ULONG count) {
    static const char hex[] = "0123456789abcdef";
    for (ULONG i = 0; i < count; ++i) {
        put(line, hex[bytes[i] >> 4]);
        put(line, hex[bytes[i] & 15]);
    }
}

ULONG formatWireLogLine(char* text, ULONG index, ULONGLONG milliseconds, const UCHAR* request,
                        const UCHAR* reply, const char* result) {
    Line line = {text, 0};
    putNumber(&line, index);
    put(&line, ' ');
    putNumber(&line, milliseconds);
    put(&line, ' ');
    putHex(&line, request, 9);
    put(&line, ' ');
    putHex(&line, reply, 9);
    put(&line, ' ');
    while (*result)
        put(&line, *result++);
    put(&line, '\n');
    text[line.length] = 0;
    return line.length;
}
