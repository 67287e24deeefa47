// SPDX-License-Identifier: MIT
#pragma once

#include "TDrv.h"
#include "Win32Calls.h"

#include <string>

// The channel on Windows. On the NT family the program installs the driver as a kernel-driver
// service from the file beside it, starts it, opens its device, and at close stops and deletes
// the service again, so the next start begins clean. On the 95 family the system loads the
// driver when its device is opened and unloads it when the handle, opened delete-on-close, is
// closed; no service is involved.
class Win32Drv : public RequestDrv
{
public:
    explicit Win32Drv(Win32Calls calls);

    bool Open() override;
    bool Close() override;

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

    Win32Calls m_calls;
    Win32Calls::Handle m_handle = nullptr;
    bool m_ntFamily = false;
};
