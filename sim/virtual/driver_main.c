/* The virtual mouse: a HID minidriver under Wine's (or Windows') hidclass for root-enumerated
 * devices ROOT\VID_2719&PID_0604&MI_00 (the pointer collection, which never reports motion)
 * and ROOT\VID_2719&PID_0604&MI_01 (the vendor collection with the firmware). */
#include "sim/virtual/hid_minidriver.h"
#include "sim/virtual/driver_control.h"
#include "sim/virtual/mouse_exchange.h"
#include "sim/virtual/report_descriptors.h"

#define VENDOR_ID 0x2719
#define PRODUCT_ID 0x0604
#define VERSION_NUMBER 0x0107
#define DATA_BYTES 8 /* a feature report after its report id */

typedef struct {
    BOOLEAN isVendor;
    BOOLEAN removed;
    KSPIN_LOCK lock;
    LIST_ENTRY pendingReads; /* input reports are never sent: reads wait until removal */
} Interface;

static Interface* interfaceOf(DEVICE_OBJECT* device) {
    return ((HID_DEVICE_EXTENSION*)device->DeviceExtension)->MiniDeviceExtension;
}

static NTSTATUS complete(IRP* irp, NTSTATUS status) {
    irp->IoStatus.Status = status;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS passDown(DEVICE_OBJECT* device, IRP* irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(((HID_DEVICE_EXTENSION*)device->DeviceExtension)->NextDeviceObject, irp);
}

/* The bus's device id of the physical device, e.g. ROOT\VID_2719&PID_0604&MI_01. */
static BOOLEAN deviceIdNamesVendorInterface(DEVICE_OBJECT* pdo) {
    KEVENT event;
    IO_STATUS_BLOCK io;
    IRP* irp;
    IO_STACK_LOCATION* stack;
    BOOLEAN vendor = FALSE;
    KeInitializeEvent(&event, NotificationEvent, FALSE);
    irp = IoBuildSynchronousFsdRequest(IRP_MJ_PNP, pdo, NULL, 0, NULL, &event, &io);
    if (!irp) return FALSE;
    irp->IoStatus.Status = STATUS_NOT_SUPPORTED;
    stack = IoGetNextIrpStackLocation(irp);
    stack->MinorFunction = IRP_MN_QUERY_ID;
    stack->Parameters.QueryId.IdType = BusQueryDeviceID;
    if (IoCallDriver(pdo, irp) == STATUS_PENDING)
        KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, NULL);
    if (NT_SUCCESS(io.Status) && io.Information) {
        const WCHAR* id = (const WCHAR*)io.Information;
        for (const WCHAR* c = id; *c; ++c)
            if ((c[0] == 'M' || c[0] == 'm') && (c[1] == 'I' || c[1] == 'i') && c[2] == '_' &&
                c[3] == '0' && c[4] == '1')
                vendor = TRUE;
        ExFreePool((void*)io.Information);
    }
    return vendor;
}

static NTSTATUS NTAPI addDevice(DRIVER_OBJECT* driver, DEVICE_OBJECT* fdo) {
    HID_DEVICE_EXTENSION* ext = fdo->DeviceExtension;
    Interface* self = ext->MiniDeviceExtension;
    (void)driver;
    RtlZeroMemory(self, sizeof(*self));
    self->isVendor = deviceIdNamesVendorInterface(ext->PhysicalDeviceObject);
    KeInitializeSpinLock(&self->lock);
    InitializeListHead(&self->pendingReads);
    fdo->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

static void completePendingReads(Interface* self) {
    for (;;) {
        KIRQL irql;
        LIST_ENTRY* entry;
        KeAcquireSpinLock(&self->lock, &irql);
        entry = IsListEmpty(&self->pendingReads) ? NULL : RemoveHeadList(&self->pendingReads);
        KeReleaseSpinLock(&self->lock, irql);
        if (!entry) return;
        complete(CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry), STATUS_DELETE_PENDING);
    }
}

static NTSTATUS NTAPI dispatchPnp(DEVICE_OBJECT* device, IRP* irp) {
    Interface* self = interfaceOf(device);
    switch (IoGetCurrentIrpStackLocation(irp)->MinorFunction) {
    case IRP_MN_START_DEVICE:
        self->removed = FALSE;
        if (self->isVendor) mouseStart();
        irp->IoStatus.Status = STATUS_SUCCESS;
        break;
    case IRP_MN_SURPRISE_REMOVAL:
    case IRP_MN_REMOVE_DEVICE:
        self->removed = TRUE;
        completePendingReads(self);
        irp->IoStatus.Status = STATUS_SUCCESS;
        break;
    case IRP_MN_QUERY_REMOVE_DEVICE:
    case IRP_MN_CANCEL_REMOVE_DEVICE:
    case IRP_MN_STOP_DEVICE:
    case IRP_MN_QUERY_STOP_DEVICE:
    case IRP_MN_CANCEL_STOP_DEVICE:
        irp->IoStatus.Status = STATUS_SUCCESS;
        break;
    default:
        break;
    }
    return passDown(device, irp);
}

static NTSTATUS NTAPI dispatchPower(DEVICE_OBJECT* device, IRP* irp) {
    PoStartNextPowerIrp(irp);
    IoSkipCurrentIrpStackLocation(irp);
    return PoCallDriver(((HID_DEVICE_EXTENSION*)device->DeviceExtension)->NextDeviceObject, irp);
}

static NTSTATUS copyOut(IRP* irp, ULONG capacity, const void* data, ULONG length) {
    if (!irp->UserBuffer || capacity < length) return STATUS_BUFFER_TOO_SMALL;
    RtlCopyMemory(irp->UserBuffer, data, length);
    irp->IoStatus.Information = length;
    return STATUS_SUCCESS;
}

static NTSTATUS deviceDescriptor(Interface* self, IRP* irp, ULONG capacity) {
    const ReportDescriptor report =
        self->isVendor ? vendorReportDescriptor() : pointerReportDescriptor();
    HID_DESCRIPTOR descriptor;
    RtlZeroMemory(&descriptor, sizeof(descriptor));
    descriptor.bLength = sizeof(descriptor);
    descriptor.bDescriptorType = PELKO_HID_DESCRIPTOR_TYPE;
    descriptor.bcdHID = 0x0111;
    descriptor.bNumDescriptors = 1;
    descriptor.DescriptorList[0].bReportType = PELKO_HID_REPORT_DESCRIPTOR_TYPE;
    descriptor.DescriptorList[0].wReportLength = report.length;
    return copyOut(irp, capacity, &descriptor, sizeof(descriptor));
}

static NTSTATUS reportDescriptor(Interface* self, IRP* irp, ULONG capacity) {
    const ReportDescriptor report =
        self->isVendor ? vendorReportDescriptor() : pointerReportDescriptor();
    return copyOut(irp, capacity, report.bytes, report.length);
}

static NTSTATUS attributes(IRP* irp, ULONG capacity) {
    HID_DEVICE_ATTRIBUTES attr;
    RtlZeroMemory(&attr, sizeof(attr));
    attr.Size = sizeof(attr);
    attr.VendorID = VENDOR_ID;
    attr.ProductID = PRODUCT_ID;
    attr.VersionNumber = VERSION_NUMBER;
    return copyOut(irp, capacity, &attr, sizeof(attr));
}

/* The packet's data bytes: hidclass strips report id 0 (Wine) or leaves it in front. */
static UCHAR* featureData(const HID_XFER_PACKET* packet) {
    if (!packet || !packet->reportBuffer || packet->reportId != 0) return NULL;
    if (packet->reportBufferLen == DATA_BYTES) return packet->reportBuffer;
    if (packet->reportBufferLen == DATA_BYTES + 1) return packet->reportBuffer + 1;
    return NULL;
}

static NTSTATUS feature(Interface* self, IRP* irp, BOOLEAN set) {
    const HID_XFER_PACKET* packet = irp->UserBuffer;
    UCHAR* data = featureData(packet);
    NTSTATUS status;
    if (!self->isVendor) return STATUS_NOT_SUPPORTED;
    if (!data) return STATUS_INVALID_PARAMETER;
    status = set ? mouseSetFeature(data) : mouseGetFeature(data);
    if (NT_SUCCESS(status)) irp->IoStatus.Information = packet->reportBufferLen;
    return status;
}

static NTSTATUS pendRead(Interface* self, IRP* irp) {
    KIRQL irql;
    IoMarkIrpPending(irp);
    KeAcquireSpinLock(&self->lock, &irql);
    InsertTailList(&self->pendingReads, &irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&self->lock, irql);
    return STATUS_PENDING;
}

static NTSTATUS NTAPI dispatchInternalIoctl(DEVICE_OBJECT* device, IRP* irp) {
    Interface* self = interfaceOf(device);
    const IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG capacity = stack->Parameters.DeviceIoControl.OutputBufferLength;
    irp->IoStatus.Information = 0;
    if (self->removed) return complete(irp, STATUS_DELETE_PENDING);
    switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case MINIDRIVER_GET_DEVICE_DESCRIPTOR:
        return complete(irp, deviceDescriptor(self, irp, capacity));
    case MINIDRIVER_GET_REPORT_DESCRIPTOR:
        return complete(irp, reportDescriptor(self, irp, capacity));
    case MINIDRIVER_GET_DEVICE_ATTRIBUTES:
        return complete(irp, attributes(irp, capacity));
    case MINIDRIVER_SET_FEATURE:
        return complete(irp, feature(self, irp, TRUE));
    case MINIDRIVER_GET_FEATURE:
        return complete(irp, feature(self, irp, FALSE));
    case MINIDRIVER_READ_REPORT:
        return pendRead(self, irp);
    default:
        return complete(irp, STATUS_NOT_SUPPORTED);
    }
}

static NTSTATUS NTAPI dispatchCreateClose(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    return complete(irp, STATUS_SUCCESS);
}

static void NTAPI unload(DRIVER_OBJECT* driver) {
    (void)driver;
}

NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    HID_MINIDRIVER_REGISTRATION registration;
    NTSTATUS status = controlInit(registryPath);
    if (!NT_SUCCESS(status)) return status;
    mouseInit();
    driver->DriverExtension->AddDevice = addDevice;
    driver->DriverUnload = unload;
    driver->MajorFunction[IRP_MJ_PNP] = dispatchPnp;
    driver->MajorFunction[IRP_MJ_POWER] = dispatchPower;
    driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = dispatchInternalIoctl;
    driver->MajorFunction[IRP_MJ_CREATE] = dispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = dispatchCreateClose;
    RtlZeroMemory(&registration, sizeof(registration));
    registration.Revision = PELKO_HID_REVISION;
    registration.DriverObject = driver;
    registration.RegistryPath = registryPath;
    registration.DeviceExtensionSize = sizeof(Interface);
    registration.DevicesArePolled = FALSE;
    return HidRegisterMinidriver(&registration);
}
