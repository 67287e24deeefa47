// SPDX-License-Identifier: MIT
#include "Win32Drv.h"

#include <cstdint>

namespace {

using DWord = Win32Calls::DWord;

// The system's values, written out so that this file needs no Windows header.
constexpr DWord PlatformNt = 2;
constexpr DWord OpenExisting = 3;
constexpr DWord CreateNew = 1;
constexpr DWord FileAttributeNormal = 0x80;
constexpr DWord FileFlagDeleteOnClose = 0x04000000;
constexpr DWord ManagerAllAccess = 0xF003F;
constexpr DWord ServiceAllAccess = 0xF01FF;
constexpr DWord KernelDriver = 1;
constexpr DWord DemandStart = 3;
constexpr DWord ErrorNormal = 1;
constexpr DWord ControlStop = 1;
constexpr DWord ServiceAlreadyRunning = 1056;

const Win32Calls::Handle InvalidHandle = reinterpret_cast<Win32Calls::Handle>(std::intptr_t(-1));

constexpr char ServiceName[] = "TVDRV";
constexpr char NtDevice[] = "\\\\.\\TVDRV";
constexpr char Win95Device[] = "\\\\.\\TVDRV.VXD";
constexpr char DriverFile[] = "TVDRV.SYS";

} // namespace

Win32Drv::Win32Drv(Win32Calls calls) : m_calls(std::move(calls))
{
    m_ntFamily = m_calls.platformId() == PlatformNt;
}

std::string Win32Drv::driverPath(const std::string &moduleFileName)
{
    const auto slash = moduleFileName.rfind('\\');
    const std::string folder =
        slash == std::string::npos ? std::string() : moduleFileName.substr(0, slash + 1);
    return folder + DriverFile;
}

bool Win32Drv::Open()
{
    // A channel that failed to open stays failed: saying yes here would report a missing
    // driver as a working one.
    if (m_handle == InvalidHandle)
        return false;
    if (m_handle)
        return true;
    if (m_ntFamily) {
        InstallService();
        m_handle = m_calls.createFile(NtDevice, 0, 0, OpenExisting, FileAttributeNormal);
    } else {
        m_handle = m_calls.createFile(Win95Device, 0, 0, CreateNew, FileFlagDeleteOnClose);
    }
    return m_handle != InvalidHandle;
}

bool Win32Drv::Close()
{
    if (!m_handle)
        return true;
    if (m_handle != InvalidHandle)
        m_calls.closeHandle(m_handle);
    // Even when the device never opened, the service may have been installed: leave nothing
    // behind for the next start to trip over.
    if (m_ntFamily)
        RemoveService();
    m_handle = nullptr;
    return true;
}

bool Win32Drv::InstallService()
{
    const Win32Calls::Handle manager = m_calls.openSCManager(ManagerAllAccess);
    const std::string path = driverPath(m_calls.moduleFileName());
    bool started = false;
    if (Win32Calls::Handle created =
            m_calls.createService(manager, ServiceName, ServiceName, ServiceAllAccess, KernelDriver,
                                  DemandStart, ErrorNormal, path.c_str())) {
        m_calls.closeServiceHandle(created);
        if (Win32Calls::Handle service =
                m_calls.openService(manager, ServiceName, ServiceAllAccess)) {
            started = m_calls.startService(service) || m_calls.lastError() == ServiceAlreadyRunning;
            m_calls.closeServiceHandle(service);
        }
    }
    if (manager)
        m_calls.closeServiceHandle(manager);
    return started;
}

void Win32Drv::RemoveService()
{
    const Win32Calls::Handle manager = m_calls.openSCManager(ManagerAllAccess);
    if (Win32Calls::Handle service = m_calls.openService(manager, ServiceName, ServiceAllAccess)) {
        m_calls.controlService(service, ControlStop);
        m_calls.closeServiceHandle(service);
    }
    if (Win32Calls::Handle service = m_calls.openService(manager, ServiceName, ServiceAllAccess)) {
        m_calls.deleteService(service);
        m_calls.closeServiceHandle(service);
    }
    if (manager)
        m_calls.closeServiceHandle(manager);
}

bool Win32Drv::request(std::uint8_t code, const std::uint8_t *input, int length)
{
    if (!m_handle || m_handle == InvalidHandle)
        return false;
    return m_calls.deviceIoControl(m_handle, code, input, DWord(length));
}
