/* The report descriptors of the mouse's two interfaces. */
#pragma once

#include <ddk/wdm.h>

typedef struct {
    const UCHAR* bytes;
    USHORT length;
} ReportDescriptor;

/* MI_00: the pointer collection (buttons, X, Y, wheel). */
ReportDescriptor pointerReportDescriptor(void);
/* MI_01: the vendor collection; 8 data bytes behind report id 0 in each direction. */
ReportDescriptor vendorReportDescriptor(void);
