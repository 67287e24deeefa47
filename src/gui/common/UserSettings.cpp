// SPDX-License-Identifier: MIT
#include "UserSettings.h"

#include <QCoreApplication>

namespace {
constexpr char Organisation[] = "tavrin";
} // namespace

std::unique_ptr<QSettings> UserSettings::open()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QLatin1String(Organisation),
                                       QCoreApplication::applicationName());
}
