// SPDX-License-Identifier: MIT
// tvrtool render: the layout at physical size, as PDF or PNG, through the same drawing as the
// view window and the printer.

#include "LayoutSource.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "layoutview/LayoutMetrics.h"
#include "layoutview/LayoutView.h"
#include "profile/ProgramProfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>

namespace {

constexpr int PdfDpi = 600;
constexpr int PngDpi = 300;
constexpr double MetresPerInch = 0.0254;

enum class Orientation
{
    Fitting, // whichever of the two holds the whole layout, upright first
    Portrait,
    Landscape,
};

// An A4 page, with the layout from its top-left corner as on a printer's printable area, titled
// with the layout's file name (what a PDF viewer shows in its title bar).
bool writePdf(QIODevice &device, const KeyGrid &grid, int dpi, Orientation orientation,
              const QString &title, ToolIo &io)
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("tvrtool"));
    writer.setTitle(title);
    writer.setResolution(dpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const ProgramProfile &profile = grid.profile();
    const QSize extent =
        LayoutMetrics::forResolution(dpi, dpi).extent(profile.gridColumns, profile.gridRows);
    const auto fits = [&](QPageLayout::Orientation o) {
        writer.setPageOrientation(o);
        return extent.width() <= writer.width() && extent.height() <= writer.height();
    };
    bool whole = false;
    switch (orientation) {
    case Orientation::Fitting:
        whole = fits(QPageLayout::Portrait) || fits(QPageLayout::Landscape);
        if (!whole)
            writer.setPageOrientation(QPageLayout::Portrait);
        break;
    case Orientation::Portrait:
        whole = fits(QPageLayout::Portrait);
        break;
    case Orientation::Landscape:
        whole = fits(QPageLayout::Landscape);
        break;
    }
    if (!whole)
        io.error(QStringLiteral("render: the layout is %1 x %2 mm and the page smaller; keys "
                                "past its edge are cut off%3")
                     .arg(profile.gridColumns * LayoutMetrics::PitchMm)
                     .arg(profile.gridRows * LayoutMetrics::PitchMm)
                     .arg(orientation == Orientation::Portrait
                              ? QStringLiteral(" (--landscape turns the page)")
                              : QString()));
    QPainter canvas;
    if (!canvas.begin(&writer))
        return false;
    LayoutView::DrawLayout(canvas, grid, QGuiApplication::palette());
    return canvas.end();
}

// Just the layout, with the gap before the first key repeated after the last, on white.
bool writePng(QIODevice &device, const KeyGrid &grid, int dpi)
{
    const LayoutMetrics m = LayoutMetrics::forResolution(dpi, dpi);
    const ProgramProfile &profile = grid.profile();
    QImage image(m.extent(profile.gridColumns, profile.gridRows) + m.gap(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / MetresPerInch));
    image.setDotsPerMeterY(qRound(dpi / MetresPerInch));
    image.fill(Qt::white);
    QPainter canvas(&image);
    LayoutView::DrawLayout(canvas, grid, QGuiApplication::palette());
    canvas.end();
    return image.save(&device, "PNG");
}

} // namespace

int renderCommand(const QStringList &arguments, ToolIo &io)
{
    SubcommandParser parser(
        QStringLiteral("render"),
        QStringLiteral("Draws a Tavrin layout at physical size, as the view window and the "
                       "printer do:\nkeys on a 19 mm pitch with 14 mm faces, labels 10 points "
                       "high. A PDF is one A4\npage that, printed at 100 %, gives inserts to "
                       "cut for the keycaps; a PNG holds\njust the layout. Needs no display."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Configuration file (.tvr)."));
    parser.addOutputOptions(QStringLiteral("Where to draw: a name ending in .pdf or .png."));
    const QCommandLineOption dpi(
        QStringLiteral("dpi"),
        QStringLiteral("Resolution the layout is worked out in (default: %1 for PDF, %2 for "
                       "PNG).")
            .arg(PdfDpi)
            .arg(PngDpi),
        QStringLiteral("N"));
    const QCommandLineOption portrait(QStringLiteral("portrait"),
                                      QStringLiteral("An upright PDF page, whether or not the "
                                                     "layout fits on it."));
    const QCommandLineOption landscape(QStringLiteral("landscape"),
                                       QStringLiteral("A turned PDF page. Without either, the "
                                                      "page is turned when that\nis what makes "
                                                      "the whole layout fit."));
    parser.addOptions({dpi, portrait, landscape});
    if (const auto status = parser.parseOrExit(arguments, io, 1))
        return *status;

    const QString out = parser.outputPath();
    const bool pdf = out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!pdf && !out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        io.error(QStringLiteral("render: -o wants a file name ending in .pdf or .png"));
        return ExitStatus::Trouble;
    }
    if (!pdf && (parser.isSet(landscape) || parser.isSet(portrait))) {
        io.error(QStringLiteral("render: --portrait and --landscape turn PDF pages; a PNG has "
                                "none"));
        return ExitStatus::Trouble;
    }
    if (parser.isSet(landscape) && parser.isSet(portrait)) {
        io.error(QStringLiteral("render: --portrait and --landscape exclude each other"));
        return ExitStatus::Trouble;
    }
    const Orientation orientation = parser.isSet(portrait)    ? Orientation::Portrait
                                    : parser.isSet(landscape) ? Orientation::Landscape
                                                              : Orientation::Fitting;
    std::optional<int> resolution = pdf ? PdfDpi : PngDpi;
    if (parser.isSet(dpi))
        resolution = parser.intValue(dpi, 72, 2400, io);
    if (!resolution || !parser.mayWriteOutput(io))
        return ExitStatus::Trouble;

    const LayoutSource source = LayoutSource::readOrReport(parser.positionalArguments()[0], io);
    if (!source.loaded())
        return ExitStatus::Trouble;
    if (!source.profile->has(Command::Print)) {
        io.error(QStringLiteral("%1: a %2 file has no printed layout")
                     .arg(source.path, source.profile->name));
        return ExitStatus::Trouble;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        io.error(QStringLiteral("render: drawing needs the GUI application object"));
        return ExitStatus::Trouble;
    }
    KeyDocument layout(*source.profile);
    layout.load(source.cells, source.path);
    const KeyGrid &grid = layout.grid();

    // Drawn whole in memory first: a PDF writer reports no failure of the device it writes to,
    // so drawing straight into the file could leave a cut page behind a status of success.
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    const bool drawn = pdf ? writePdf(drawing, grid, *resolution, orientation,
                                      QFileInfo(source.path).fileName(), io)
                           : writePng(drawing, grid, *resolution);
    if (!drawn) {
        io.error(QStringLiteral("%1: not written: the layout could not be drawn").arg(out));
        return ExitStatus::Trouble;
    }
    if (!parser.writeOutput(drawing.data(), io))
        return ExitStatus::Trouble;
    return ExitStatus::Ok;
}
