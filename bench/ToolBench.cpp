// SPDX-License-Identifier: MIT
// Prints how fast tvrtool's batch subcommands are, each against its goal: check and export of
// 1,000 layouts under 1 ms per file, and render of one layout to PDF at 600 dpi under 200 ms.
// The subcommands run in this process, as the command line runs them, on real files. Export
// to a file is shown beside export to standard output: a file is written whole or not at all
// (a temporary file synced to disk, then renamed), and on a slow disk that costs more than the
// conversion itself.

#include "Tool.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Files = 1000;

// A keyboard layout with something on every key: a label, a colour and a few strokes.
QByteArray busyLayout(int seed)
{
    QByteArray file("TVRN");
    for (int i = 0; i < 84; ++i) {
        QByteArray record(92, '\0');
        record[0] = record[1] = record[2] = 1;
        const QByteArray codes = QByteArray::fromHex("121CF01CF012E012E075E0F075E0F0121CF01C");
        record[3] = char(codes.size());
        record[4] = char(seed + i);
        const QByteArray label = "Key " + QByteArray::number(i) + "|" + QByteArray::number(seed);
        record.replace(8, label.size(), label);
        record.replace(28, codes.size(), codes);
        file += record;
    }
    return file;
}

int run(const QStringList &arguments)
{
    QString out, err;
    QTextStream o(&out), e(&err);
    ToolIo io{o, e, false};
    const int status = Tool::run(arguments, io);
    if (status != 0)
        std::fprintf(stderr, "%s: %s", qPrintable(arguments.join(u' ')), qPrintable(err));
    return status;
}

void report(const char *what, double ms, double goal, const char *unit)
{
    std::printf("%-44s %9.3f %s   goal < %g %s   %s\n", what, ms, unit, goal, unit,
                ms < goal ? "ok" : "MISSED");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < Files; ++i) {
        paths << dir.filePath(QStringLiteral("layout%1.tvr").arg(i));
        QFile f(paths.last());
        if (!f.open(QIODevice::WriteOnly) || f.write(busyLayout(i)) != 7732)
            return 1;
    }

    QElapsedTimer t;
    t.start();
    if (run(QStringList{"check"} + paths) != 0)
        return 1;
    report("check, per file (1,000 files in one call)", t.nsecsElapsed() / 1e6 / Files, 1, "ms");

    t.restart();
    for (const QString &p : paths)
        if (run({"export", p, "-o", p + ".json", "--force"}) != 0)
            return 1;
    report("export to a file, per file (1,000 calls)", t.nsecsElapsed() / 1e6 / Files, 1, "ms");
    t.restart();
    for (const QString &p : paths)
        if (run({"export", p}) != 0)
            return 1;
    report("export to standard output, per file", t.nsecsElapsed() / 1e6 / Files, 1, "ms");

    // The first render also loads the fonts; the ones after it show the drawing itself.
    QList<double> renders;
    for (int i = 0; i < 5; ++i) {
        t.restart();
        if (run({"render", paths.first(), "-o", dir.filePath("layout.pdf"), "--dpi", "600",
                 "--landscape", "--force"}) != 0)
            return 1;
        renders << t.nsecsElapsed() / 1e6;
    }
    report("render to PDF at 600 dpi, first", renders.first(), 200, "ms");
    std::sort(renders.begin() + 1, renders.end());
    report("render to PDF at 600 dpi, median of the next 4", (renders[2] + renders[3]) / 2, 200,
           "ms");
    return 0;
}
