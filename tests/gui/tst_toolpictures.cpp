// SPDX-License-Identifier: MIT
#include "keymodel/ColorValue.h"
#include "mainwindow/ToolPicture.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <QTest>

// The tool-bar pictures on a light and a dark desktop, at 1x and 2x.
class TestToolPictures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(icons); }
    void doubled_data();
    void doubled();
    void picturesOnThemes_data();
    void picturesOnThemes();
};

namespace {

// Rows of "#" (black) and "." (white), split by "|".
QImage picture(const QString &rows)
{
    const QStringList lines = rows.split(u'|');
    QImage image(int(lines[0].size()), int(lines.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, lines[y][x] == u'#' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

QString rows(const QImage &image)
{
    QStringList lines;
    for (int y = 0; y < image.height(); ++y) {
        QString line;
        for (int x = 0; x < image.width(); ++x)
            line += image.pixel(x, y) == qRgb(0, 0, 0) ? u'#' : u'.';
        lines << line;
    }
    return lines.join(u'|');
}

} // namespace

void TestToolPictures::doubled_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("a diagonal stays a thin diagonal") << "#.|.#"
                                                      << "##..|#.#.|.#.#|..##";
    QTest::newRow("a lone pixel becomes a square") << "...|.#.|..."
                                                   << "......|......|..##..|..##..|......|......";
    QTest::newRow("a straight line stays straight") << ".#.|.#."
                                                    << "..##..|..##..|..##..|..##..";
    QTest::newRow("a solid block stays solid") << "##|##"
                                               << "####|####|####|####";
}

void TestToolPictures::doubled()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(rows(ToolPicture::doubled(picture(in))), out);
}

void TestToolPictures::picturesOnThemes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("dark");
    for (const char *name : {"exit", "new", "load", "save", "label", "code", "color", "prog1",
                             "progall", "view", "print"}) {
        const QString path = QStringLiteral(":/icons/%1.xpm").arg(QLatin1String(name));
        QTest::addRow("%s, light", name) << path << false;
        QTest::addRow("%s, dark", name) << path << true;
    }
}

void TestToolPictures::picturesOnThemes()
{
    QFETCH(QString, path);
    QFETCH(bool, dark);
    QPalette palette = QApplication::style()->standardPalette();
    if (dark) {
        palette = QPalette(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
        palette.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEC));
    }
    const QImage drawn = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const QIcon icon = ToolPicture::icon(path, palette);
    const QImage shown = icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(
        QImage::Format_ARGB32);
    QCOMPARE(shown.size(), QSize(16, 16));
    QCOMPARE(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
    if (!dark) {
        QCOMPARE(shown, drawn); // the pictures as drawn
        return;
    }
    // Every line drawn in black stands out from the dark button.
    const QColor button = palette.color(QPalette::Button);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (drawn.pixel(x, y) == qRgb(0, 0, 0))
                QVERIFY(ColorValue::contrastRatio(shown.pixelColor(x, y), button) >= 4.5);
}

QTEST_MAIN(TestToolPictures)
#include "tst_toolpictures.moc"
