// SPDX-License-Identifier: MIT
// Prints, for both programs, how long a start takes until the main window is first painted, how
// much memory the process holds by then, and how long a configuration file takes to load and to
// save; for the keyboard's grid, how long all its keys take to paint and how long and how many
// cells a change of the selection repaints; each next to the figure it should stay under. A process
// has only one first paint, so each start is this executable run again as
//   tavrin_bench --first-paint tavrin|quelda [LAUNCH_NS]
// which prints "paint_ns=... maxrss_kb=..." for that one start.

#include "app/ProgramMain.h"
#include "keymodel/ConfigFile.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeyRecord.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"
#include "profile/ProgramProfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int Starts = 5;
constexpr int FileRuns = 200;

const ProgramProfile *const Programs[] = {&ProgramProfile::tavrin(), &ProgramProfile::quelda()};

qint64 bootClockNs()
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// When the kernel created this process, on the boot clock. It keeps that in whole clock ticks
// (10 ms at the usual 100 Hz), rounded down, so this is never later than the true start.
qint64 processStartNs()
{
    QFile file(QStringLiteral("/proc/self/stat"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = file.readAll();
    // Field 2, the command name, may itself hold spaces and parentheses; the fields after it,
    // from field 3 on, may not. Field 22 is the start time.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(22 - 3).toLongLong() * 1'000'000'000 / sysconf(_SC_CLK_TCK);
}

// Notes when the main window or its client area is first painted, then lets that paint reach
// the screen before ending the event loop.
class FirstPaintWatch : public QObject
{
public:
    qint64 paintedAt = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintedAt == 0) {
            paintedAt = bootClockNs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

// One start of a program, as its main() goes about it (no file named on the command line).
// launchNs is when the parent started us: finer than the kernel's tick-rounded start time and,
// like it, never later than the true start, so the later of the two is the better bound.
int firstPaint(int argc, char **argv, const ProgramProfile &profile, qint64 launchNs)
{
    const qint64 startNs = std::max(processStartNs(), launchNs);
    QApplication app(argc, argv);
    prepareApplication(profile);
    const std::unique_ptr<TMainDlg> window = openMainWindow(profile, QString());
    if (!window)
        return 1;
    // Paints are delivered by the event loop, so watching from here on misses none.
    FirstPaintWatch watch;
    window->installEventFilter(&watch);
    window->clientArea()->installEventFilter(&watch);
    // A window that never gets painted must not hang the whole table.
    QTimer::singleShot(std::chrono::seconds(20), &app, &QCoreApplication::quit);
    app.exec();
    if (watch.paintedAt == 0)
        return 1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("paint_ns=%lld maxrss_kb=%ld\n", static_cast<long long>(watch.paintedAt - startNs),
                usage.ru_maxrss);
    return 0;
}

// One start of the program in a child process; its figures go on the ends of the lists.
void runStart(const ProgramProfile &profile, std::vector<double> &paintMs,
              std::vector<double> &residentMb)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QStringList args = {QStringLiteral("--first-paint"), profile.name.toLower(),
                              QString::number(bootClockNs())};
    child.start(QCoreApplication::applicationFilePath(), args);
    long long paintNs = 0, maxRssKb = 0;
    // One still running when the wait ends is killed as child goes out of scope.
    const bool done = child.waitForFinished(30'000) && child.exitStatus() == QProcess::NormalExit &&
                      child.exitCode() == 0 &&
                      std::sscanf(child.readAllStandardOutput().constData(),
                                  "paint_ns=%lld maxrss_kb=%lld", &paintNs, &maxRssKb) == 2;
    if (done) {
        paintMs.push_back(paintNs / 1e6);
        residentMb.push_back(maxRssKb * 1024 / 1e6);
    }
}

struct Spread
{
    double median, worst;
};

std::optional<Spread> spread(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return Spread{median, values.back()};
}

// A file as a shop would really fill one: every label as long as it may be or nearly, with
// accented letters; a different colour and a full code area on every key; on the keyboard, a
// row of double-width keys hiding the cells they cover.
QList<KeyCell> busyCells(const ProgramProfile &profile)
{
    QList<KeyCell> cells(profile.cellCount);
    for (int i = 0; i < profile.cellCount; ++i) {
        KeyCell &k = cells[i];
        const QByteArray label = "Caf\xE9 cr\xE8me " + QByteArray::number(i);
        k.Caption = i % 2 ? label : label.leftJustified(KeyRecord::LabelSize, '*', true);
        k.Color = (0x00123456u * quint32(i + 1)) & 0x00FFFFFFu;
        k.ColSpan = k.RowSpan = 1;
        k.CodeCount = KeyCell::MaxCodes;
        for (int c = 0; c < KeyCell::CodeCapacity; ++c)
            k.Codes[c] = quint8(i * 7 + c);
    }
    for (int col = 0; profile.keyboard && col + 1 < profile.gridColumns; col += 2) {
        cells[col * profile.gridRows].ColSpan = 2;
        cells[(col + 1) * profile.gridRows].Visible = false;
    }
    return cells;
}

template <typename Operation> std::optional<Spread> timeMicroseconds(Operation operation)
{
    std::vector<double> us;
    for (int run = 0; run < FileRuns; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        if (!operation())
            return std::nullopt;
        const auto took = std::chrono::steady_clock::now() - begin;
        us.push_back(std::chrono::duration<double, std::micro>(took).count());
    }
    return spread(std::move(us));
}

void printRow(const QString &program, const char *figure, const std::optional<Spread> &s,
              const char *unit, double goal, const char *goalText)
{
    std::printf("%-8s %-24s", qPrintable(program), figure);
    if (s)
        std::printf(" %9.1f %s  %9.1f %s   %-9s %s\n", s->median, unit, s->worst, unit, goalText,
                    s->median < goal ? "met" : "MISSED");
    else
        std::printf(" %25s   %-9s\n", "no figure", goalText);
}

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject
{
public:
    int painted = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++painted;
        return QObject::eventFilter(watched, event);
    }
};

struct GridPaintFigures
{
    std::optional<Spread> wholeGrid, selectionChange;
    int mostCellsRepainted = 0;
};

// The keyboard's grid with a three-line label and its own colour on every key: painted whole
// into an image as the screen paints it, then repainted on the screen as the selection moves
// between two keys.
GridPaintFigures gridPaintFigures()
{
    GridPaintFigures figures;
    TMainDlg window(ProgramProfile::tavrin());
    KeyDocument &layout = window.document();
    for (int i = 0; i < layout.grid().count(); ++i) {
        layout.setCaption(i, "Caf\xE9|cr\xE8me|" + QByteArray::number(i + 1));
        layout.setColor(i, (0x00123456u * quint32(i + 1)) & 0x00FFFFFFu);
    }
    QWidget *client = window.clientArea();
    QImage image(client->size(), QImage::Format_ARGB32_Premultiplied);
    figures.wholeGrid = timeMicroseconds([&] {
        client->render(&image);
        return true;
    });

    PaintCounter shown;
    client->installEventFilter(&shown);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (shown.painted == 0 && waited.elapsed() < 20'000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (shown.painted == 0)
        return figures;

    PaintCounter cells;
    for (int i = 0; i < window.keyCount(); ++i)
        window.key(i)->installEventFilter(&cells);
    window.KeyClick(window.key(5), Qt::NoModifier);
    QCoreApplication::processEvents();
    int next = 9;
    figures.selectionChange = timeMicroseconds([&] {
        cells.painted = 0;
        window.KeyClick(window.key(next), Qt::NoModifier);
        QCoreApplication::processEvents();
        figures.mostCellsRepainted = std::max(figures.mostCellsRepainted, cells.painted);
        next = next == 9 ? 5 : 9;
        return cells.painted > 0;
    });
    return figures;
}

int printTable()
{
    QTemporaryDir dir;
    // A save waits until the disk holds the new file, so its figure depends on where dir is.
    std::printf("%d starts and %d loads and saves per program; files in %s\n"
                "A goal is met when the median run stays under it.\n\n%-8s %-24s %12s %12s   %s\n",
                Starts, FileRuns, qPrintable(dir.path()), "program", "figure", "median", "worst",
                "goal");
    bool allFigures = true;
    for (const ProgramProfile *profile : Programs) {
        std::vector<double> paintMs, residentMb;
        for (int run = 0; run < Starts; ++run)
            runStart(*profile, paintMs, residentMb);
        const bool startsDone = paintMs.size() == size_t(Starts);
        if (!startsDone)
            std::fprintf(stderr, "tavrin_bench: %s: only %zu of %d starts painted a window\n",
                         qPrintable(profile->name), paintMs.size(), Starts);

        const QString path = dir.filePath(QStringLiteral("busy.") + profile->extension);
        const QList<KeyCell> cells = busyCells(*profile);
        // Figures for a file that does not come back as written would measure the wrong thing.
        const bool roundTrip = ConfigFile::save(path, cells, *profile) &&
                               ConfigFile::load(path, *profile).cells == cells;
        if (!roundTrip)
            std::fprintf(stderr, "tavrin_bench: %s: the busy file did not load back as saved\n",
                         qPrintable(profile->name));
        const auto save = timeMicroseconds([&] { return ConfigFile::save(path, cells, *profile); });
        const auto load = timeMicroseconds([&] {
            return ConfigFile::load(path, *profile).status == ConfigFile::LoadStatus::Loaded;
        });

        printRow(profile->name, "start to first paint", spread(paintMs), "ms", 150, "< 150 ms");
        printRow(profile->name, "peak resident memory", spread(residentMb), "MB", 60, "< 60 MB");
        printRow(profile->name, "load configuration file", load, "µs", 1000, "< 1 ms");
        printRow(profile->name, "save configuration file", save, "µs", 1000, "< 1 ms");
        allFigures = allFigures && startsDone && roundTrip && save && load;
    }

    const GridPaintFigures paint = gridPaintFigures();
    const QString keyboard = ProgramProfile::tavrin().name;
    printRow(keyboard, "paint whole grid", paint.wholeGrid, "µs", 2000, "< 2 ms");
    printRow(keyboard, "repaint on selection", paint.selectionChange, "µs", 2000, "< 2 ms");
    std::printf("%-8s %-24s %9d cells %20s   %-9s %s\n", qPrintable(keyboard), "cells repainted",
                paint.mostCellsRepainted, "", "2 cells",
                paint.mostCellsRepainted == 2 ? "met" : "MISSED");
    allFigures = allFigures && paint.wholeGrid && paint.selectionChange;
    return allFigures ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--first-paint") == 0) {
        const qint64 launchNs = argc >= 4 ? QByteArray(argv[3]).toLongLong() : 0;
        for (const ProgramProfile *profile : Programs)
            if (profile->name.toLower() == QLatin1String(argv[2]))
                return firstPaint(argc, argv, *profile, launchNs);
        std::fprintf(stderr, "tavrin_bench: no program called %s\n", argv[2]);
        return 2;
    }
    // The grid is painted on a real display too.
    QApplication app(argc, argv);
    return printTable();
}
