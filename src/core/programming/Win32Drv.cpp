// SPDX-License-Identifier: MIT
#include "Win32Drv.h"

#include <cstdint>
#include <string>

namespace {

using DWord = Win32Calls::DWord;

// The system's values, written out so that this file needs no Windows header.
constexpr DWord PlatformNt = 2;
constexpr DWord OpenExisting = 3;
constexpr DWord CreateNew = 1;
constexpr DWord FileAttributeNormal = 0x80;
constexpr DWord FileFlagDeleteOnClose = 0x04000000;
constexpr DWord FileFlagOverlapped = 0x40000000;
constexpr DWord ManagerAllAccess = 0xF003F;
constexpr DWord ServiceAllAccess = 0xF01FF;
constexpr DWord KernelDriver = 1;
constexpr DWord DemandStart = 3;
constexpr DWord ErrorNormal = 1;
constexpr DWord ControlStop = 1;
constexpr DWord ServiceAlreadyRunning = 1056;
constexpr DWord FileNotFound = 2;
constexpr DWord PathNotFound = 3;
constexpr DWord AccessDenied = 5;
constexpr DWord SharingViolation = 32;
constexpr DWord ServiceMarkedForDelete = 1072;
constexpr DWord ServiceExists = 1073;

const Win32Calls::Handle InvalidHandle = reinterpret_cast<Win32Calls::Handle>(std::intptr_t(-1));

constexpr char ServiceName[] = "TVDRV";
constexpr char NtDevice[] = "\\\\.\\TVDRV";
constexpr char Win95Device[] = "\\\\.\\TVDRV.VXD";
constexpr char DriverFile[] = "TVDRV.SYS";

std::string lateAnswer()
{
    return "the keyboard driver did not answer within " +
           std::to_string(DriverProtocol::ReplyTimeoutMs) + " ms";
}

std::string stillHeld()
{
    return "the keyboard driver still holds a request it did not answer within " +
           std::to_string(DriverProtocol::ReplyTimeoutMs) + " ms";
}

} // namespace

Win32Drv::Win32Drv(Win32Calls calls) : m_calls(std::move(calls))
{
    m_ntFamily = m_calls.platformId() == PlatformNt;
}

Win32Drv::~Win32Drv()
{
    // The records of requests the driver still holds are left to the end of the program on
    // purpose: the system writes into them whenever the driver lets go.
    releaseKept();
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
    m_problem.clear();
    if (m_stalled) {
        // The service runs already; only the device was closed.
        if (!releaseKept()) {
            m_problem = stillHeld();
            return false;
        }
        m_stalled = false;
    } else if (m_ntFamily) {
        InstallService();
    }
    openDevice();
    m_problem = m_openProblem;
    return m_handle != InvalidHandle;
}

void Win32Drv::openDevice()
{
    const char *device = m_ntFamily ? NtDevice : Win95Device;
    m_handle = m_ntFamily ? m_calls.createFile(NtDevice, 0, 0, OpenExisting,
                                               FileAttributeNormal | FileFlagOverlapped)
                          : m_calls.createFile(Win95Device, 0, 0, CreateNew,
                                               FileFlagDeleteOnClose | FileFlagOverlapped);
    m_openProblem.clear();
    if (m_handle != InvalidHandle) {
        // Binds the requests to the device instead of the thread that made them: a thread that
        // ends may leave a request the driver keeps behind, where the system would otherwise
        // hold the thread, and whoever waits for it, until the driver lets go. The port's
        // notices are not needed (each request has its event) and are thrown away.
        m_port = m_calls.createIoPort(m_handle);
        return;
    }
    const DWord error = m_calls.lastError();
    // What kept the driver from starting says more than the missing device it leaves behind.
    if (!m_installProblem.empty())
        m_openProblem = m_installProblem;
    else if (error == FileNotFound || error == PathNotFound)
        m_openProblem = std::string("there is no keyboard driver device ") + device +
                        " (the driver is not running)";
    else if (error == AccessDenied)
        m_openProblem = std::string("permission to open the keyboard driver's device ") + device +
                        " is refused";
    else if (error == SharingViolation)
        m_openProblem =
            std::string("the keyboard driver's device ") + device + " is in use by another program";
    else
        m_openProblem = std::string("cannot open ") + device + ": " + systemError(error);
}

bool Win32Drv::Close()
{
    if (!m_handle && !m_stalled)
        return true;
    closeDevice();
    // Even when the device never opened, the service may have been installed: leave nothing
    // behind for the next start to trip over.
    if (m_ntFamily)
        RemoveService();
    m_stalled = false;
    releaseKept();
    return true;
}

void Win32Drv::closeDevice()
{
    if (m_handle && m_handle != InvalidHandle)
        m_calls.closeHandle(m_handle);
    if (m_port)
        m_calls.closeHandle(m_port);
    m_handle = nullptr;
    m_port = nullptr;
}

std::string Win32Drv::systemError(DWord error) const
{
    const std::string text = m_calls.errorText ? m_calls.errorText(error) : std::string();
    const std::string code = "Windows error " + std::to_string(error);
    return text.empty() ? code : text + " (" + code + ")";
}

bool Win32Drv::InstallService()
{
    m_installProblem.clear();
    const Win32Calls::Handle manager = m_calls.openSCManager(ManagerAllAccess);
    if (!manager)
        m_installProblem = serviceProblem("use the service manager", m_calls.lastError());
    const std::string path = driverPath(m_calls.moduleFileName());
    bool started = false;
    if (Win32Calls::Handle created =
            m_calls.createService(manager, ServiceName, ServiceName, ServiceAllAccess, KernelDriver,
                                  DemandStart, ErrorNormal, path.c_str())) {
        m_calls.closeServiceHandle(created);
        if (Win32Calls::Handle service =
                m_calls.openService(manager, ServiceName, ServiceAllAccess)) {
            if (m_calls.startService(service)) {
                started = true;
            } else {
                const DWord error = m_calls.lastError();
                started = error == ServiceAlreadyRunning;
                // Not every system says "file not found" when the driver file is missing: look.
                if (!started && (error == FileNotFound || error == PathNotFound ||
                                 !m_calls.fileExists(path.c_str())))
                    m_installProblem = "there is no keyboard driver file at " + path;
                else if (!started)
                    m_installProblem = serviceProblem("start the keyboard driver's service", error);
            }
            m_calls.closeServiceHandle(service);
        }
    } else if (manager) {
        // Only named when the device does not open: a service left behind by a program that was
        // killed is no trouble while its driver runs.
        m_installProblem =
            serviceProblem("install the keyboard driver's service", m_calls.lastError());
    }
    if (manager)
        m_calls.closeServiceHandle(manager);
    return started;
}

std::string Win32Drv::serviceProblem(const std::string &step, DWord error) const
{
    switch (error) {
    case AccessDenied:
        return "permission to " + step + " is refused (the program must run as an administrator)";
    case ServiceExists:
        return std::string("the keyboard driver's service ") + ServiceName +
               ", left behind by another program, is in the way and its driver does not run";
    case ServiceMarkedForDelete:
        return std::string("the keyboard driver's service ") + ServiceName +
               " is still being removed; try again when it is gone";
    default:
        return "cannot " + step + ": " + systemError(error);
    }
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

bool Win32Drv::releaseKept()
{
    std::erase_if(m_kept, [this](Win32Calls::Io io) {
        if (!m_calls.waitIo(io, 0))
            return false;
        m_calls.freeIo(io);
        return true;
    });
    return m_kept.empty();
}

bool Win32Drv::finish(Win32Calls::Io io)
{
    const bool succeeded = m_calls.ioSucceeded(m_handle, io);
    m_calls.freeIo(io);
    return succeeded;
}

bool Win32Drv::request(std::uint8_t code, const std::uint8_t *input, int length)
{
    // As with the socket, only IsReady opens a channel again that was closed under a stuck
    // request: the exchange any other request belongs to went with the handle.
    if (m_stalled && code == DriverProtocol::IsReadyCode)
        Open();
    m_problem.clear();
    if (m_stalled) {
        m_problem = stillHeld();
        return false;
    }
    if (!m_handle || m_handle == InvalidHandle) {
        m_problem = m_handle ? m_openProblem : "the channel is closed";
        return false;
    }
    if (length < 0 || length > DriverProtocol::MaxInput) {
        m_problem = "a request too long for the protocol";
        return false;
    }

    if (m_port)
        m_calls.drainIoPort(m_port);
    Win32Calls::IoState state = Win32Calls::IoState::NotIssued;
    const Win32Calls::Io io = m_calls.startIoControl(m_handle, code, input, DWord(length), state);
    switch (state) {
    case Win32Calls::IoState::NotIssued:
        m_problem = "the system could not make an event to wait for the request";
        return false;
    case Win32Calls::IoState::Succeeded:
    case Win32Calls::IoState::Failed:
        m_calls.freeIo(io);
        return state == Win32Calls::IoState::Succeeded;
    case Win32Calls::IoState::Pending:
        break;
    }
    if (m_calls.waitIo(io, DriverProtocol::ReplyTimeoutMs))
        return finish(io);

    m_calls.cancelIo(m_handle, io);
    if (m_calls.waitIo(io, DriverProtocol::CancelWaitMs)) {
        // A request the driver finished while it was being cancelled counts as it finished: a
        // readiness it gave, reported as a refusal, would leave its exchange open in the driver.
        // Each request has its own record, so a late answer can never be taken for another's,
        // and the channel stays open.
        const bool succeeded = finish(io);
        if (!succeeded)
            m_problem = lateAnswer();
        return succeeded;
    }
    // The driver keeps the request although it was cancelled: waiting on would hang the run, and
    // with it the window and Exit, for as long as the driver pleases. The channel is closed
    // instead, and the request's record is kept (never freed under the driver, which may still
    // write into it) until the driver gives it back.
    m_kept.push_back(io);
    closeDevice();
    m_stalled = true;
    m_problem = lateAnswer() + ", and kept the request when it was cancelled";
    return false;
}
