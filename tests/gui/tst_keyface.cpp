// SPDX-License-Identifier: MIT
#include "keymodel/ColorValue.h"
#include "keymodel/KeyCell.h"
#include "keymodel/KeyFace.h"
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "keymodel/KeySelection.h"
#include "keymodel/TKey.h"
#include "mainwindow/TMainDlg.h"
#include "profile/ProgramProfile.h"

#include <QApplication>
#include <QStyle>
#include <QFontInfo>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QToolTip>

namespace {

// Colours no drawing uses by itself, so every pixel tells who painted it.
constexpr QRgb Untouched = 0xFF00FF;
constexpr QRgb Face = 0x66CCFF; // light enough for black labels
constexpr QRgb Ink = 0x000000;
constexpr QRgb Grey = 0x808080;
constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Black = 0x000000;

// 11-pixel DejaVu Sans, unsmoothed: "|" is 13 pixels high, and its full block fills the whole
// line height, so a line's drawn rows are exactly the rows of its line box.
QFont testFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QPalette testPalette(QRgb buttonFace = Face)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor::fromRgb(buttonFace));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Ink));
    return palette;
}

KeyCell cellWith(const QByteArray &caption, quint32 color = KeyCell::ButtonFace)
{
    KeyCell cell;
    cell.ResetKey(caption);
    cell.Color = color;
    return cell;
}

// The face of a cell of the given size drawn as the main window draws it, on a canvas nobody
// else has painted. The labels are UTF-8 here, so they can hold the block character.
QImage drawFace(const KeyCell &cell, QSize size, const QPalette &palette = testPalette(),
                const LabelCodec &codec = LabelCodec("UTF-8"))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Untouched);
    QPainter painter(&image);
    painter.setFont(testFont());
    painter.setPen(QColor::fromRgb(Grey));
    KeyFace::DrawFace(painter, KeyFace::screenTextBox(size), cell, palette, codec);
    return image;
}

QRgb at(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// The runs of pixels along a line through the fill that are not fill, as "from-to,from-to".
QString inkRuns(const QImage &image, bool down, int at, int from, int to)
{
    QStringList runs;
    int start = -1;
    for (int i = from; i <= to + 1; ++i) {
        const bool ink = i <= to && (down ? image.pixel(at, i) : image.pixel(i, at)) !=
                                        image.pixel(down ? at : 2, down ? 2 : at);
        if (ink && start < 0)
            start = i;
        if (!ink && start >= 0) {
            runs << QStringLiteral("%1-%2").arg(start).arg(i - 1);
            start = -1;
        }
    }
    return runs.join(u',');
}

const QString Block = QStringLiteral("\u2588");

} // namespace

class TestKeyFace : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void rings_data();
    void rings();
    void lines_data();
    void lines();
    void doubleByteBarStaysInItsCharacter();
    void hiddenCellDrawsNothing();
    void edges_data();
    void edges();
    void toolTipReadsLabelAndStrokes();
    void labelsStandOutOnAnyTheme_data();
    void labelsStandOutOnAnyTheme();
};

void TestKeyFace::initTestCase()
{
    if (QFontInfo(testFont()).family() != QLatin1String("DejaVu Sans"))
        QSKIP("the test font DejaVu Sans is not installed");
    QCOMPARE(QFontMetrics(testFont()).size(Qt::TextSingleLine, QStringLiteral("|")).height(), 13);
}

void TestKeyFace::rings_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QRgb>("paletteFace");
    QTest::addColumn<QRgb>("fill");
    QTest::newRow("button face from the palette") << 0x8000000Fu << Face << Face;
    QTest::newRow("button face follows a new palette")
        << 0x8000000Fu << QRgb(0xC0C0C0) << 0xC0C0C0u;
    QTest::newRow("rgb value, red in the low byte") << 0x000080FFu << Face << 0xFF8000u;
}

void TestKeyFace::rings()
{
    QFETCH(quint32, color);
    QFETCH(QRgb, paletteFace);
    QFETCH(QRgb, fill);
    const QImage image = drawFace(cellWith("", color), QSize(44, 44), testPalette(paletteFace));
    // Outermost ring: left to the edge. Next ring in: the frame. Everything inside: the fill.
    for (int i = 0; i < 44; ++i) {
        for (auto [x, y] : {std::pair{i, 0}, {i, 43}, {0, i}, {43, i}})
            QCOMPARE(at(image, x, y), Untouched);
        if (i >= 1 && i <= 42)
            for (auto [x, y] : {std::pair{i, 1}, {i, 42}, {1, i}, {42, i}})
                QCOMPARE(at(image, x, y), Grey);
    }
    for (int y = 2; y <= 41; ++y)
        for (int x = 2; x <= 41; ++x)
            QCOMPARE(at(image, x, y), fill);
}

void TestKeyFace::lines_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("rowsDown");     // drawn rows down the column x = 5
    QTest::addColumn<QString>("columnsAlong"); // drawn columns along the row y = 5

    const QString b = Block;
    // Lines start at 3, 16, 29; the third is cut at the box's bottom (41), the fourth starts
    // past it.
    QTest::newRow("A|B|C|D") << b + "|" + b + "|" + b + "|" + b << QSize(44, 44) << "3-40"
                             << "3-11";
    QTest::newRow("A||B leaves a line empty") << b + "||" + b << QSize(44, 44) << "3-15,29-40"
                                              << "3-11";
    QTest::newRow("trailing bar adds nothing") << b + "|" << QSize(44, 44) << "3-15"
                                               << "3-11";
    QTest::newRow("empty label") << "" << QSize(44, 44) << ""
                                 << "";
    QTest::newRow("second line only") << "|" + b << QSize(44, 44) << "16-28"
                                      << "";
    QTest::newRow("wider than the box is cut at its right")
        << b.repeated(8) << QSize(44, 44) << "3-15"
        << "3-40";
    // Text box (3, 3, 85, 85): seven lines, the last from 81 cut at 85.
    QTest::newRow("2 x 2 key, seven lines") << (b + "|").repeated(6) + b << QSize(88, 88) << "3-84"
                                            << "3-11";
    QTest::newRow("2 x 2 key, six lines") << (b + "|").repeated(5) + b << QSize(88, 88) << "3-80"
                                          << "3-11";
    QTest::newRow("2 x 2 key, wide line") << b.repeated(16) << QSize(88, 88) << "3-15"
                                          << "3-84";
}

void TestKeyFace::lines()
{
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QString, rowsDown);
    QFETCH(QString, columnsAlong);
    const QImage image = drawFace(cellWith(caption.toUtf8()), size);
    QCOMPARE(inkRuns(image, true, 5, 2, size.height() - 3), rowsDown);
    QCOMPARE(inkRuns(image, false, 5, 2, size.width() - 3), columnsAlong);
    // Labels are written in the palette's window-text colour.
    if (!rowsDown.isEmpty())
        QCOMPARE(at(image, 5, rowsDown.section(u'-', 0, 0).toInt()), Ink);
}

void TestKeyFace::doubleByteBarStaysInItsCharacter()
{
    // "po" (0x83 0x7C) then a black square (0x81 0xA1): one line. Split at the byte 0x7C it
    // would put the square on a second line from y = 16.
    const QImage image = drawFace(cellWith("\x83\x7C\x81\xA1"), QSize(44, 44), testPalette(),
                                  LabelCodec("Shift_JIS"));
    bool firstLine = false;
    for (int y = 2; y <= 41; ++y)
        for (int x = 2; x <= 41; ++x)
            if (at(image, x, y) != Face) {
                QVERIFY2(y < 16, qPrintable(QStringLiteral("ink at %1, %2").arg(x).arg(y)));
                firstLine = true;
            }
    QVERIFY(firstLine);
    QCOMPARE(KeyFace::labelLines("\x83\x7C|A", LabelCodec("Shift_JIS")),
             QStringList({QStringLiteral("\u30DD"), QStringLiteral("A")}));
}

void TestKeyFace::hiddenCellDrawsNothing()
{
    KeyCell cell = cellWith("1");
    cell.Visible = false;
    const QImage image = drawFace(cell, QSize(44, 44));
    QCOMPARE(image.pixel(21, 21) & 0xFFFFFF, Untouched);
    QCOMPARE(image.pixel(1, 1) & 0xFFFFFF, Untouched);
}

void TestKeyFace::edges_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("sunk");
    QTest::newRow("raised at start") << QList<int>{} << 5 << false;
    QTest::newRow("selected sinks") << QList<int>{5} << 5 << true;
    QTest::newRow("selecting another raises the first") << QList<int>{5, 9} << 5 << false;
    QTest::newRow("and sinks the other") << QList<int>{5, 9} << 9 << true;
    QTest::newRow("clicked again rises") << QList<int>{5, 5} << 5 << false;
}

void TestKeyFace::edges()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, cell);
    QFETCH(bool, sunk);
    TMainDlg dlg(ProgramProfile::tavrin());
    for (int index : clicks)
        QTest::mouseClick(dlg.key(index), Qt::LeftButton);
    // The client area as the screen gets it, the window's own background behind the cells.
    QPalette background = dlg.clientArea()->palette();
    background.setColor(QPalette::Window, QColor::fromRgb(Untouched));
    dlg.clientArea()->setPalette(background);
    dlg.clientArea()->setAutoFillBackground(true);
    const QImage image = dlg.clientArea()->grab().toImage();
    const QPoint origin = dlg.key(cell)->pos();
    const auto edge = [&](int x, int y) { return at(image, origin.x() + x, origin.y() + y); };

    // Colour A: the top row whole and the left column but its bottom pixel. Colour B: the
    // bottom row whole and the right column but its top pixel.
    const QRgb a = sunk ? Black : White;
    const QRgb b = sunk ? White : Black;
    for (int i = 0; i < 44; ++i) {
        QCOMPARE(edge(i, 0), a);
        QCOMPARE(edge(i, 43), b);
        QCOMPARE(edge(0, i), i < 43 ? a : b);
        QCOMPARE(edge(43, i), i > 0 ? b : a);
        if (i >= 1 && i <= 42)
            QCOMPARE(edge(i, 1), Grey);
    }
}

void TestKeyFace::toolTipReadsLabelAndStrokes()
{
    KeyDocument layout(ProgramProfile::tavrin());
    QWidget window;
    const KeySelection nothingSelected;
    TKey key(layout.grid(), nothingSelected, 3, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto hover = [&] {
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), key.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&key, &help);
        return QToolTip::text();
    };
    QCOMPARE(hover(), QStringLiteral("4\nCodes: no codes"));

    // Taken from the grid when asked, so an edit shows at the next hover.
    layout.setCaption(3, "Total|Sum");
    layout.setCodes(3, QByteArray::fromHex("121CF01CF012E075E0F0751C"));
    QCOMPARE(hover(), QStringLiteral("Total\nSum\nCodes: Shift+A, Up, then at byte 11 not a "
                                     "whole group: 1C"));
}

void TestKeyFace::labelsStandOutOnAnyTheme_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<quint32>("color");

    // A light desktop, and a dark one whose text is light (as Adwaita-dark has it).
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEC));
    const QList<std::pair<const char *, QPalette>> themes = {
        {"light", QApplication::style()->standardPalette()}, {"dark", dark}};
    for (const auto &[theme, palette] : themes) {
        for (quint32 n = 0; n <= 30; ++n)
            QTest::addRow("%s, system colour %u", theme, n) << palette << (0x80000000u | n);
        // Set colours as the file stores them, 0x00BBGGRR.
        for (const quint32 set : {0xFFFFFFu, 0x00FFFFu, 0x000000u, 0x777777u, 0x800000u,
                                  0x0000FFu, 0x00FF00u})
            QTest::addRow("%s, set colour %06X", theme, set) << palette << set;
    }
}

void TestKeyFace::labelsStandOutOnAnyTheme()
{
    QFETCH(QPalette, palette);
    QFETCH(quint32, color);
    const QImage image = drawFace(cellWith(Block.toUtf8(), color), QSize(44, 44), palette);
    const QColor fill = image.pixelColor(2, 2);
    const QColor ink = image.pixelColor(5, 5); // inside the block
    const double ratio = ColorValue::contrastRatio(ink, fill);
    QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3 : 1")
                                           .arg(ink.name(), fill.name())
                                           .arg(ratio, 0, 'f', 2)));
    // Where the desktop's own text colour is legible, the label keeps it.
    const QColor text = palette.color(QPalette::WindowText);
    if (ColorValue::contrastRatio(text, fill) >= 4.5)
        QCOMPARE(ink, text);
}

QTEST_MAIN(TestKeyFace)
#include "tst_keyface.moc"
