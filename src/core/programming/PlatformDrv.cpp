// SPDX-License-Identifier: MIT
#include "TDrv.h"

#ifdef _WIN32
#include "Win32Drv.h"
#else
#include "SocketDrv.h"
#endif

std::unique_ptr<TDrv> TDrv::createPlatformDrv()
{
#ifdef _WIN32
    return std::make_unique<Win32Drv>(Win32Calls::system());
#else
    return std::make_unique<SocketDrv>(SocketDrv::defaultPath());
#endif
}
