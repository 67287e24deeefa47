// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The Windows system calls the driver channel makes, as a table, so that the channel's rules
// can be checked on any platform with a table that records the calls. Handles are kept as
// plain pointers and numbers as the system's 32-bit DWORD (on Windows a WORD is only 16 bits,
// so the name says which of the two is meant). Each entry makes exactly one system call, but
// for the record of a request in flight, which is made and freed with its event; the arguments
// the channel never varies (null security records, no template file, no output buffer) are
// filled in by the real table.
struct Win32Calls
{
    using Handle = void *;
    using DWord = std::uint32_t;

    // GetVersionExA on a zeroed version record of 148 bytes with its size set; the record's
    // platform id.
    std::function<DWord()> platformId;
    // GetModuleFileNameA of the running program, into a buffer of 260 characters.
    std::function<std::string()> moduleFileName;
    // CreateFileA(name, access, share, no security, creation, flags, no template).
    std::function<Handle(const char *name, DWord access, DWord share, DWord creation, DWord flags)>
        createFile;
    std::function<void(Handle)> closeHandle;
    // One device control request in flight: its own OVERLAPPED record and event, and a copy of
    // its input. The system writes into the record and sets the event whenever the driver
    // finishes the request, so the record must stay where it is until then, however late.
    using Io = void *;
    enum class IoState
    {
        Succeeded,
        Failed,    // the driver refused it at once
        Pending,   // under way: wait on it
        NotIssued, // no event could be made; no record was kept
    };
    // CreateEventA (manual reset) for a new record, then DeviceIoControl(handle, code, the
    // record's copy of input, length, no output, 0, no count, the record's OVERLAPPED). The
    // record comes back unless state is NotIssued, and goes to freeIo once finished.
    std::function<Io(Handle, DWord code, const void *input, DWord length, IoState &state)>
        startIoControl;
    // CreateIoCompletionPort(handle, no port, 0, 1): a new port the device is bound to, or null.
    std::function<Handle(Handle)> createIoPort;
    // GetQueuedCompletionStatus(port, no wait) until the port is empty.
    std::function<void(Handle port)> drainIoPort;
    // WaitForSingleObject on the request's event for at most ms; true when it has finished.
    std::function<bool(Io, DWord ms)> waitIo;
    // GetOverlappedResult(handle, the record, no wait) of a finished request; true when it
    // succeeded.
    std::function<bool(Handle, Io)> ioSucceeded;
    // CancelIoEx(handle, the request's OVERLAPPED).
    std::function<void(Handle, Io)> cancelIo;
    // Closes the request's event and frees its record; only for a request that has finished.
    std::function<void(Io)> freeIo;
    // OpenSCManagerA(local machine, default database, access).
    std::function<Handle(DWord access)> openSCManager;
    // CreateServiceA(manager, name, display name, access, type, start type, error control,
    // path, and no group, tag, dependencies, account or password).
    std::function<Handle(Handle manager, const char *name, const char *displayName, DWord access,
                         DWord serviceType, DWord startType, DWord errorControl, const char *path)>
        createService;
    std::function<Handle(Handle manager, const char *name, DWord access)> openService;
    // StartServiceA(service, no arguments).
    std::function<bool(Handle service)> startService;
    // ControlService(service, control, a status record).
    std::function<bool(Handle service, DWord control)> controlService;
    std::function<bool(Handle service)> deleteService;
    std::function<void(Handle)> closeServiceHandle;
    std::function<DWord()> lastError;
    // GetFileAttributesA(path) found something there.
    std::function<bool(const char *path)> fileExists;
    // FormatMessageA of a system error code, without the line break it ends with.
    std::function<std::string(DWord error)> errorText;

    // The system's own calls; exists only in the Windows build.
    static Win32Calls system();
};
