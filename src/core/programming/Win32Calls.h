#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The Windows system calls the driver channel makes, as a table, so that the channel's rules
// can be checked on any platform with a table that records the calls. Handles are kept as
// plain pointers and numbers as 32-bit words, which is what they are on Windows. Each entry
// makes exactly one system call; the arguments the channel never varies (null security
// records, no template file, no output buffer) are filled in by the real table.
struct Win32Calls
{
    using Handle = void *;
    using Word = std::uint32_t;

    // GetVersionExA on a zeroed version record of 148 bytes with its size set; the record's
    // platform id.
    std::function<Word()> platformId;
    // GetModuleFileNameA of the running program, into a buffer of 260 characters.
    std::function<std::string()> moduleFileName;
    // CreateFileA(name, access, share, no security, creation, flags, no template).
    std::function<Handle(const char *name, Word access, Word share, Word creation, Word flags)>
        createFile;
    std::function<void(Handle)> closeHandle;
    // DeviceIoControl(handle, code, input, length, no output, 0, &returned, no overlapped);
    // true when it returned nonzero.
    std::function<bool(Handle, Word code, const void *input, Word length)> deviceIoControl;
    // OpenSCManagerA(local machine, default database, access).
    std::function<Handle(Word access)> openSCManager;
    // CreateServiceA(manager, name, display name, access, type, start type, error control,
    // path, and no group, tag, dependencies, account or password).
    std::function<Handle(Handle manager, const char *name, const char *displayName, Word access,
                         Word serviceType, Word startType, Word errorControl, const char *path)>
        createService;
    std::function<Handle(Handle manager, const char *name, Word access)> openService;
    // StartServiceA(service, no arguments).
    std::function<bool(Handle service)> startService;
    // ControlService(service, control, a status record).
    std::function<bool(Handle service, Word control)> controlService;
    std::function<bool(Handle service)> deleteService;
    std::function<void(Handle)> closeServiceHandle;
    std::function<Word()> lastError;

    // The system's own calls; exists only in the Windows build.
    static Win32Calls system();
};
