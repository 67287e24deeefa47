// SPDX-License-Identifier: MIT
// The real system calls behind the Windows channel. Built only for Windows, where it must need
// nothing but the system's own headers and libraries (kernel32 and advapi32).

#include "Win32Calls.h"

#include <windows.h>

// Every number the table carries goes to and from the system as a DWORD.
static_assert(sizeof(Win32Calls::DWord) == sizeof(DWORD));

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
    calls.deviceIoControl = [](Handle handle, DWord code, const void *input, DWord length) {
        DWORD returned = 0;
        return DeviceIoControl(HANDLE(handle), code, const_cast<void *>(input), length, nullptr, 0,
                               &returned, nullptr) != 0;
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
    return calls;
}
