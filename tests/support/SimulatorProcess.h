// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>

#include <memory>

// The keyboard simulator (TVDRV_SIM, the path of tvdrv-sim) as a child process of a test.
namespace SimulatorProcess {

// Stopped the way a user stops it, and waited for.
class Simulator : public QProcess
{
public:
    ~Simulator() override
    {
        terminate();
        waitForFinished(5000);
    }
};

// A simulator on the socket, serving once this returns; with maxFiles, allowed no more open
// descriptors than that.
inline std::unique_ptr<QProcess> start(const QStringList &args, int maxFiles = 0)
{
    std::unique_ptr<QProcess> sim = std::make_unique<Simulator>();
    if (maxFiles > 0)
        sim->start(QStringLiteral("/bin/sh"),
                   QStringList{"-c",
                               QStringLiteral("ulimit -n %1 && exec \"$0\" \"$@\"").arg(maxFiles),
                               QStringLiteral(TVDRV_SIM)} +
                       args);
    else
        sim->start(QStringLiteral(TVDRV_SIM), args);
    QByteArray said;
    while (!said.contains("tvdrv-sim: serving") && sim->waitForReadyRead(5000))
        said += sim->readAllStandardOutput();
    if (!said.contains("tvdrv-sim: serving"))
        qWarning() << "simulator did not start:" << said << sim->readAllStandardError();
    return sim;
}

// What the simulator's key memory file says: key number -> codes.
inline QMap<int, QString> keyMemory(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QMap<int, QString> memory;
    for (const QJsonValue &key : QJsonDocument::fromJson(file.readAll())["keys"].toArray())
        memory[key["key"].toInt()] = key["codes"].toString();
    return memory;
}

} // namespace SimulatorProcess
