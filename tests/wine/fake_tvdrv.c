// SPDX-License-Identifier: MIT
// A stand-in for the keyboard driver, for running the Windows channel for real: it creates the
// device the programs open, takes every one of the five requests at once, and writes down each
// one as it arrived (its code, its transfer method, the input it carried) so that a test can
// compare that with what the run should have sent. It reaches no keyboard.
//
// The log is a text file at a fixed place, C:\tvdrv.log, one line per event, opened and closed
// for each line so that nothing waits in a buffer when the driver is unloaded:
//   load / open / close / unload
//   request CODE method METHOD input LENGTH[: BYTE ...]
//   cancelled                          (a request it held was cancelled)
//
// A marker file present when it loads makes it a driver that never answers: with C:\tvdrv.hold
// it holds every request until the request is cancelled, with C:\tvdrv.stuck it holds every
// request and ignores cancellation (it gives them all back only when it is unloaded).

#include <ntddk.h>

static const WCHAR LogPath[] = L"\\??\\C:\\tvdrv.log";
static const WCHAR DeviceName[] = L"\\Device\\TVDRV";
static const WCHAR DosName[] = L"\\DosDevices\\TVDRV";
static const WCHAR HoldMarker[] = L"\\??\\C:\\tvdrv.hold";
static const WCHAR StuckMarker[] = L"\\??\\C:\\tvdrv.stuck";

static enum { Answer, Hold, Stuck } mode = Answer;

// The requests a stuck driver holds, given back at unload; more than a run sends at once.
enum
{
    MaxStuck = 16
};
static PIRP stuck[MaxStuck];
static int stuckCount = 0;

// Enough for a packet and a little more; longer input is cut, and its length still shows it.
enum
{
    MaxLoggedBytes = 16
};

typedef struct
{
    char text[128];
    ULONG length;
} LogLine;

static void appendText(LogLine *line, const char *text)
{
    while (*text && line->length < sizeof line->text)
        line->text[line->length++] = *text++;
}

static void appendNumber(LogLine *line, ULONG value)
{
    char digits[10];
    int count = 0;
    do {
        digits[count++] = (char)('0' + value % 10);
        value /= 10;
    } while (value);
    while (count && line->length < sizeof line->text)
        line->text[line->length++] = digits[--count];
}

static void appendByte(LogLine *line, UCHAR value)
{
    static const char Hex[] = "0123456789ABCDEF";
    const char text[] = {' ', Hex[value >> 4], Hex[value & 15], 0};
    appendText(line, text);
}

// Opens a file by its kernel path for synchronous use.
static NTSTATUS openFile(const WCHAR *path, ACCESS_MASK access, ULONG disposition, HANDLE *file)
{
    UNICODE_STRING name;
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK status;
    RtlInitUnicodeString(&name, path);
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL,
                               NULL);
    return ZwCreateFile(file, access | SYNCHRONIZE, &attributes, &status, NULL,
                        FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ, disposition,
                        FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
}

static void writeLine(LogLine *line)
{
    appendText(line, "\n");
    IO_STATUS_BLOCK status;
    HANDLE file;
    if (!NT_SUCCESS(openFile(LogPath, FILE_APPEND_DATA, FILE_OPEN_IF, &file)))
        return;
    ZwWriteFile(file, NULL, NULL, NULL, &status, line->text, line->length, NULL, NULL);
    ZwClose(file);
}

static void logEvent(const char *event)
{
    LogLine line = {.length = 0};
    appendText(&line, event);
    writeLine(&line);
}

static BOOLEAN exists(const WCHAR *path)
{
    HANDLE file;
    if (!NT_SUCCESS(openFile(path, FILE_READ_ATTRIBUTES, FILE_OPEN, &file)))
        return FALSE;
    ZwClose(file);
    return TRUE;
}

static NTSTATUS complete(PIRP irp, NTSTATUS result)
{
    irp->IoStatus.Status = result;
    irp->IoStatus.Information = 0;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return result;
}

static NTSTATUS NTAPI openOrClose(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    const IO_STACK_LOCATION *stack = IoGetCurrentIrpStackLocation(irp);
    logEvent(stack->MajorFunction == IRP_MJ_CREATE ? "open" : "close");
    return complete(irp, STATUS_SUCCESS);
}

static void NTAPI cancelled(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    logEvent("cancelled");
    complete(irp, STATUS_CANCELLED);
}

// Leaves the request pending, as a driver waiting on its keyboard would.
static NTSTATUS hold(PIRP irp)
{
    IoMarkIrpPending(irp);
    if (mode == Hold) {
        IoSetCancelRoutine(irp, cancelled);
        // Cancelled before the routine was in place: give it back now.
        if (irp->Cancel && IoSetCancelRoutine(irp, NULL))
            complete(irp, STATUS_CANCELLED);
    } else if (stuckCount < MaxStuck) {
        stuck[stuckCount++] = irp;
    }
    return STATUS_PENDING;
}

static NTSTATUS NTAPI deviceControl(PDEVICE_OBJECT device, PIRP irp)
{
    (void)device;
    const IO_STACK_LOCATION *stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    const ULONG method = METHOD_FROM_CTL_CODE(code);
    const ULONG length = stack->Parameters.DeviceIoControl.InputBufferLength;
    // With every method but "neither" the system copies the input into the system buffer, and
    // that is where a driver reads it; with "neither" it would be the caller's own memory.
    const UCHAR *input = method == METHOD_NEITHER
                             ? (const UCHAR *)stack->Parameters.DeviceIoControl.Type3InputBuffer
                             : (const UCHAR *)irp->AssociatedIrp.SystemBuffer;

    LogLine line = {.length = 0};
    appendText(&line, "request ");
    appendNumber(&line, code);
    appendText(&line, " method ");
    appendNumber(&line, method);
    appendText(&line, " input ");
    appendNumber(&line, length);
    if (length && input) {
        appendText(&line, ":");
        for (ULONG i = 0; i < length && i < MaxLoggedBytes; ++i)
            appendByte(&line, input[i]);
    }
    writeLine(&line);
    if (mode != Answer)
        return hold(irp);
    return complete(irp, code >= 2 && code <= 6 ? STATUS_SUCCESS : STATUS_INVALID_DEVICE_REQUEST);
}

static void NTAPI unload(PDRIVER_OBJECT driver)
{
    while (stuckCount)
        complete(stuck[--stuckCount], STATUS_CANCELLED);
    UNICODE_STRING dosName;
    RtlInitUnicodeString(&dosName, DosName);
    IoDeleteSymbolicLink(&dosName);
    IoDeleteDevice(driver->DeviceObject);
    logEvent("unload");
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    (void)registryPath;
    UNICODE_STRING deviceName;
    UNICODE_STRING dosName;
    PDEVICE_OBJECT device;
    RtlInitUnicodeString(&deviceName, DeviceName);
    RtlInitUnicodeString(&dosName, DosName);
    NTSTATUS result =
        IoCreateDevice(driver, 0, &deviceName, FILE_DEVICE_UNKNOWN, 0, FALSE, &device);
    if (!NT_SUCCESS(result))
        return result;
    result = IoCreateSymbolicLink(&dosName, &deviceName);
    if (!NT_SUCCESS(result)) {
        IoDeleteDevice(device);
        return result;
    }
    driver->MajorFunction[IRP_MJ_CREATE] = openOrClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = openOrClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = deviceControl;
    driver->DriverUnload = unload;
    mode = exists(HoldMarker) ? Hold : exists(StuckMarker) ? Stuck : Answer;
    logEvent("load");
    return STATUS_SUCCESS;
}
