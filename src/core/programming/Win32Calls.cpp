// SPDX-License-Identifier: MIT
// The real system calls behind the Windows channel. Built only for Windows, where it must need
// nothing but the system's own headers and libraries (kernel32 and advapi32).

#include "Win32Calls.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Every number the table carries goes to and from the system as a DWORD.
static_assert(sizeof(Win32Calls::DWord) == sizeof(DWORD));

namespace {

// What the system may still write into, or read from, while the driver holds the request: the
// input is kept here too, for a driver that reads the caller's buffer instead of the system's
// copy of it.
struct IoRecord
{
    OVERLAPPED overlapped{};
    std::vector<std::uint8_t> input;
};

IoRecord *record(Win32Calls::Io io)
{
    return static_cast<IoRecord *>(io);
}

} // namespace

Win32Calls Win32Calls::system()
{
    Win32Calls calls;
    calls.platformId = [] {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        return DWord(version.dwPlatformId);
    };
    calls.moduleFileName = [] {
        char buffer[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
        return std::string(buffer, length < MAX_PATH ? length : MAX_PATH);
    };
    calls.createFile = [](const char *name, DWord access, DWord share, DWord creation,
                          DWord flags) {
        return Handle(CreateFileA(name, access, share, nullptr, creation, flags, nullptr));
    };
    calls.closeHandle = [](Handle handle) { CloseHandle(HANDLE(handle)); };
    calls.startIoControl = [](Handle handle, DWord code, const void *input, DWord length,
                              IoState &state) -> Io {
        const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (!event) {
            state = IoState::NotIssued;
            return nullptr;
        }
        auto *io = new IoRecord;
        io->overlapped.hEvent = event;
        const auto *bytes = static_cast<const std::uint8_t *>(input);
        if (bytes)
            io->input.assign(bytes, bytes + length);
        // No count: for a request under way it means nothing, and the driver returns no bytes.
        if (DeviceIoControl(HANDLE(handle), code, bytes ? io->input.data() : nullptr, length,
                            nullptr, 0, nullptr, &io->overlapped))
            state = IoState::Succeeded;
        else
            state = GetLastError() == ERROR_IO_PENDING ? IoState::Pending : IoState::Failed;
        return io;
    };
    calls.createIoPort = [](Handle handle) {
        return Handle(CreateIoCompletionPort(HANDLE(handle), nullptr, 0, 1));
    };
    calls.drainIoPort = [](Handle port) {
        // A notice of a request that failed comes back as false too, but with its record.
        for (;;) {
            DWORD transferred = 0;
            ULONG_PTR key = 0;
            OVERLAPPED *done = nullptr;
            if (!GetQueuedCompletionStatus(HANDLE(port), &transferred, &key, &done, 0) && !done)
                return;
        }
    };
    calls.waitIo = [](Io io, DWord ms) {
        return WaitForSingleObject(record(io)->overlapped.hEvent, ms) == WAIT_OBJECT_0;
    };
    calls.ioSucceeded = [](Handle handle, Io io) {
        DWORD transferred = 0;
        return GetOverlappedResult(HANDLE(handle), &record(io)->overlapped, &transferred, FALSE) !=
               0;
    };
    calls.cancelIo = [](Handle handle, Io io) {
        CancelIoEx(HANDLE(handle), &record(io)->overlapped);
    };
    calls.freeIo = [](Io io) {
        CloseHandle(record(io)->overlapped.hEvent);
        delete record(io);
    };
    calls.openSCManager = [](DWord access) {
        return Handle(OpenSCManagerA(nullptr, nullptr, access));
    };
    calls.createService = [](Handle manager, const char *name, const char *displayName,
                             DWord access, DWord serviceType, DWord startType, DWord errorControl,
                             const char *path) {
        return Handle(CreateServiceA(SC_HANDLE(manager), name, displayName, access, serviceType,
                                     startType, errorControl, path, nullptr, nullptr, nullptr,
                                     nullptr, nullptr));
    };
    calls.openService = [](Handle manager, const char *name, DWord access) {
        return Handle(OpenServiceA(SC_HANDLE(manager), name, access));
    };
    calls.startService = [](Handle service) {
        return StartServiceA(SC_HANDLE(service), 0, nullptr) != 0;
    };
    calls.controlService = [](Handle service, DWord control) {
        SERVICE_STATUS status{};
        return ControlService(SC_HANDLE(service), control, &status) != 0;
    };
    calls.deleteService = [](Handle service) { return DeleteService(SC_HANDLE(service)) != 0; };
    calls.closeServiceHandle = [](Handle handle) { CloseServiceHandle(SC_HANDLE(handle)); };
    calls.lastError = [] { return DWord(GetLastError()); };
    calls.fileExists = [](const char *path) {
        return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    };
    calls.errorText = [](DWord error) {
        char buffer[512] = {};
        DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, buffer, sizeof buffer, nullptr);
        while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r' ||
                              buffer[length - 1] == ' ' || buffer[length - 1] == '.'))
            --length;
        return std::string(buffer, length);
    };
    return calls;
}
