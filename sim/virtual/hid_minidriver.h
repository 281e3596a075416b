/* The kernel side of a HID minidriver: the registration with hidclass and the structures it
 * hands the minidriver, as the Windows driver kit documents them (the MinGW headers carry only
 * the class driver's half, ddk/hidclass.h). */
#pragma once

#include <ddk/wdm.h>

#include <hidusage.h>

#include <ddk/hidclass.h>

/* The requests hidclass sends its minidriver. ddk/hidclass.h defines the IOCTL_HID_ names
 * of the first group with other values, so these carry names of their own. */
#define MINIDRIVER_GET_DEVICE_DESCRIPTOR HID_CTL_CODE(0)
#define MINIDRIVER_GET_REPORT_DESCRIPTOR HID_CTL_CODE(1)
#define MINIDRIVER_READ_REPORT HID_CTL_CODE(2)
#define MINIDRIVER_WRITE_REPORT HID_CTL_CODE(3)
#define MINIDRIVER_GET_STRING HID_CTL_CODE(4)
#define MINIDRIVER_GET_DEVICE_ATTRIBUTES HID_CTL_CODE(9)
#define MINIDRIVER_GET_FEATURE IOCTL_HID_GET_FEATURE
#define MINIDRIVER_SET_FEATURE IOCTL_HID_SET_FEATURE

#define PELKO_HID_REVISION 1
#define PELKO_HID_DESCRIPTOR_TYPE 0x21
#define PELKO_HID_REPORT_DESCRIPTOR_TYPE 0x22

typedef struct {
    ULONG Revision;
    PDRIVER_OBJECT DriverObject;
    PUNICODE_STRING RegistryPath;
    ULONG DeviceExtensionSize;
    BOOLEAN DevicesArePolled;
    UCHAR Reserved[3];
} HID_MINIDRIVER_REGISTRATION;

/* hidclass's extension of the device object it gives the minidriver. */
typedef struct {
    PDEVICE_OBJECT PhysicalDeviceObject;
    PDEVICE_OBJECT NextDeviceObject;
    PVOID MiniDeviceExtension;
} HID_DEVICE_EXTENSION;

typedef struct {
    ULONG Size;
    USHORT VendorID;
    USHORT ProductID;
    USHORT VersionNumber;
    USHORT Reserved[11];
} HID_DEVICE_ATTRIBUTES;

#pragma pack(push, 1)
typedef struct {
    UCHAR bLength;
    UCHAR bDescriptorType;
    USHORT bcdHID;
    UCHAR bCountry;
    UCHAR bNumDescriptors;
    struct {
        UCHAR bReportType;
        USHORT wReportLength;
    } DescriptorList[1];
} HID_DESCRIPTOR;
#pragma pack(pop)

NTSTATUS NTAPI HidRegisterMinidriver(HID_MINIDRIVER_REGISTRATION* registration);
