#include "sim/virtual/report_descriptors.h"

static const UCHAR kPointer[] = {
    0x05, 0x01, /* Usage Page (Generic Desktop) */
    0x09, 0x02, /* Usage (Mouse) */
    0xA1, 0x01, /* Collection (Application) */
    0x09, 0x01, /*   Usage (Pointer) */
    0xA1, 0x00, /*   Collection (Physical) */
    0x05, 0x09, /*     Usage Page (Button) */
    0x19, 0x01, /*     Usage Minimum (1) */
    0x29, 0x05, /*     Usage Maximum (5) */
    0x15, 0x00, /*     Logical Minimum (0) */
    0x25, 0x01, /*     Logical Maximum (1) */
    0x95, 0x05, /*     Report Count (5) */
    0x75, 0x01, /*     Report Size (1) */
    0x81, 0x02, /*     Input (Data, Variable, Absolute) */
    0x95, 0x01, /*     Report Count (1) */
    0x75, 0x03, /*     Report Size (3) */
    0x81, 0x01, /*     Input (Constant) */
    0x05, 0x01, /*     Usage Page (Generic Desktop) */
    0x09, 0x30, /*     Usage (X) */
    0x09, 0x31, /*     Usage (Y) */
    0x09, 0x38, /*     Usage (Wheel) */
    0x15, 0x81, /*     Logical Minimum (-127) */
    0x25, 0x7F, /*     Logical Maximum (127) */
    0x75, 0x08, /*     Report Size (8) */
    0x95, 0x03, /*     Report Count (3) */
    0x81, 0x06, /*     Input (Data, Variable, Relative) */
    0xC0,       /*   End Collection */
    0xC0,       /* End Collection */
};

static const UCHAR kVendor[] = {
    0x06, 0x00, 0xFF, /* Usage Page (Vendor 0xFF00) */
    0x09, 0x01,       /* Usage (1) */
    0xA1, 0x01,       /* Collection (Application) */
    0x19, 0x01,       /*   Usage Minimum (1) */
    0x29, 0x08,       /*   Usage Maximum (8) */
    0x15, 0x00,       /*   Logical Minimum (0) */
    0x26, 0xFF, 0x00, /*   Logical Maximum (255) */
    0x75, 0x08,       /*   Report Size (8) */
    0x95, 0x08,       /*   Report Count (8) */
    0x81, 0x02,       /*   Input (Data, Variable, Absolute) */
    0x19, 0x01,       /*   Usage Minimum (1) */
    0x29, 0x08,       /*   Usage Maximum (8) */
    0xB1, 0x02,       /*   Feature (Data, Variable, Absolute) */
    0xC0,             /* End Collection */
};

ReportDescriptor pointerReportDescriptor(void) {
    ReportDescriptor descriptor = {kPointer, sizeof(kPointer)};
    return descriptor;
}

ReportDescriptor vendorReportDescriptor(void) {
    ReportDescriptor descriptor = {kVendor, sizeof(kVendor)};
    return descriptor;
}
