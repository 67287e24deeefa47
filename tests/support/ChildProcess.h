// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QByteArray>

#include <functional>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs part of a test in a child process of its own: where a fault would end the process (a
// fatal signal), or where the part must run as another user. The test process itself is never
// changed, and a fault fails one test instead of the whole run.
namespace ChildProcess {

struct Outcome
{
    bool returned = false; // the body returned, rather than the process being killed
    int signal = 0;        // what killed it otherwise
    QByteArray report;     // what the body returned
};

// The report of a body that could not do its part here, for the test to skip.
inline const QByteArray Skipped = QByteArrayLiteral("skipped");

inline Outcome run(const std::function<QByteArray()> &body)
{
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(channel[0]);
        const QByteArray report = body();
        const ssize_t written = write(channel[1], report.constData(), size_t(report.size()));
        // No exit handlers: they belong to the test process, which is still running.
        _exit(written == report.size() ? 0 : 1);
    }
    close(channel[1]);
    Outcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        outcome.report.append(buffer, n);
    close(channel[0]);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return {};
    outcome.returned = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return outcome;
}

// Makes this (child) process an ordinary user's, for whom file permissions count: as root it
// becomes "nobody". False when that is not possible here.
inline bool becomeUnprivileged()
{
    if (geteuid() != 0)
        return true;
    const passwd *nobody = getpwnam("nobody");
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0 && geteuid() != 0;
}

} // namespace ChildProcess

#endif
