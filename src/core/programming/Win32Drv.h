// SPDX-License-Identifier: MIT
#pragma once

#include "TDrv.h"
#include "Win32Calls.h"

#include <string>
#include <vector>

// The channel on Windows. On the NT family the program installs the driver as a kernel-driver
// service from the file beside it, starts it, opens its device, and at close stops and deletes
// the service again, so the next start begins clean. On the 95 family the system loads the
// driver when its device is opened and unloads it when the handle, opened delete-on-close, is
// closed; no service is involved.
//
// Nothing here waits for ever: the device is opened for overlapped I/O, and a request the driver
// has not finished within the protocol's deadline is cancelled and fails. A driver that does not
// give the cancelled request back either is stuck: the channel closes and sends it nothing more
// until it does (the keyboard is served one request at a time); then IsReady opens it again.
class Win32Drv : public RequestDrv
{
public:
    explicit Win32Drv(Win32Calls calls);
    ~Win32Drv() override;

    bool Open() override;
    bool Close() override;
    std::string lastProblem() const override { return m_problem; }

    bool ntFamily() const { return m_ntFamily; }
    // Installs the driver service and starts it; true when it runs afterwards. Open does this
    // on the NT family and goes on whatever the result: a driver that already runs still opens.
    bool InstallService();
    // The driver file of the NT family: the program's folder, backslash kept, then the name.
    static std::string driverPath(const std::string &moduleFileName);

protected:
    bool request(std::uint8_t code, const std::uint8_t *input, int length) override;

private:
    void RemoveService();
    void openDevice();
    void closeDevice();
    // Frees the records of the requests the driver kept and has given back since; true when it
    // holds none any more.
    bool releaseKept();
    // A finished request's outcome; its record is freed.
    bool finish(Win32Calls::Io io);
    std::string systemError(Win32Calls::DWord error) const;
    // Why a step with the service manager failed; step reads "cannot STEP".
    std::string serviceProblem(const std::string &step, Win32Calls::DWord error) const;

    Win32Calls m_calls;
    Win32Calls::Handle m_handle = nullptr;
    Win32Calls::Handle m_port = nullptr;
    bool m_ntFamily = false;
    // Closed because the driver kept a request it was asked to give up.
    bool m_stalled = false;
    // Requests the driver still holds. The system writes into their records when the driver
    // finishes them, so they are freed only then: never while the driver holds them.
    std::vector<Win32Calls::Io> m_kept;
    // Why the service or the device did not come up; every request on the failed channel says it.
    std::string m_installProblem;
    std::string m_openProblem;
    std::string m_problem;
};
