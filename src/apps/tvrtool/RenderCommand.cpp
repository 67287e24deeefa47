// tvrtool render: the layout at physical size, as PDF or PNG, through the same drawing as the
// view window and the printer.

#include "LayoutSource.h"
#include "SubcommandParser.h"
#include "Subcommands.h"
#include "keymodel/KeyGrid.h"
#include "layoutview/LayoutMetrics.h"
#include "layoutview/LayoutView.h"
#include "profile/ProgramProfile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int PdfDpi = 600;
constexpr int PngDpi = 300;
constexpr double MetresPerInch = 0.0254;

// An A4 page, with the layout from its top-left corner as on a printer's printable area.
bool writePdf(QIODevice &device, const KeyGrid &grid, int dpi, bool landscape, ToolIo &io)
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("tvrtool"));
    writer.setResolution(dpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const ProgramProfile &profile = grid.profile();
    const QSize extent =
        LayoutMetrics::forResolution(dpi, dpi).extent(profile.gridColumns, profile.gridRows);
    if (extent.width() > writer.width() || extent.height() > writer.height())
        io.error(QStringLiteral("render: the layout is %1 x %2 mm and the page smaller; keys "
                                "past its edge are cut off%3")
                     .arg(profile.gridColumns * LayoutMetrics::PitchMm)
                     .arg(profile.gridRows * LayoutMetrics::PitchMm)
                     .arg(landscape ? QString() : QStringLiteral(" (--landscape turns the page)")));
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
    const QCommandLineOption landscape(QStringLiteral("landscape"),
                                       QStringLiteral("Turn the PDF page, so that all 12 "
                                                      "columns fit on A4."));
    parser.addOptions({dpi, landscape});
    if (const auto status = parser.parseOrExit(arguments, io, 1))
        return *status;

    const QString out = parser.outputPath();
    const bool pdf = out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    if (!pdf && !out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        io.error(QStringLiteral("render: -o wants a file name ending in .pdf or .png"));
        return ExitStatus::Trouble;
    }
    if (!pdf && parser.isSet(landscape)) {
        io.error(QStringLiteral("render: --landscape turns PDF pages; a PNG has none"));
        return ExitStatus::Trouble;
    }
    std::optional<int> resolution = pdf ? PdfDpi : PngDpi;
    if (parser.isSet(dpi))
        resolution = parser.intValue(dpi, 72, 2400, io);
    if (!resolution || !parser.mayWriteOutput(io))
        return ExitStatus::Trouble;

    const LayoutSource source = LayoutSource::readOrReport(parser.positionalArguments()[0], io);
    if (!source.loaded())
        return ExitStatus::Trouble;
    if (!source.profile->keyboard) {
        io.error(QStringLiteral("%1: a %2 file has no printed layout")
                     .arg(source.path, source.profile->name));
        return ExitStatus::Trouble;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        io.error(QStringLiteral("render: drawing needs the GUI application object"));
        return ExitStatus::Trouble;
    }
    KeyGrid grid(*source.profile);
    grid.assign(source.cells);

    QSaveFile file(out);
    const bool drawn = file.open(QIODevice::WriteOnly) &&
                       (pdf ? writePdf(file, grid, *resolution, parser.isSet(landscape), io)
                            : writePng(file, grid, *resolution)) &&
                       file.commit();
    if (!drawn) {
        io.error(QStringLiteral("%1: %2").arg(out, file.error() != QFileDevice::NoError
                                                       ? file.errorString()
                                                       : QStringLiteral("could not be drawn")));
        return ExitStatus::Trouble;
    }
    return ExitStatus::Ok;
}
