// SPDX-License-Identifier: MIT
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "layoutview/LayoutView.h"
#include "profile/ProgramProfile.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTest>

namespace {

// Dots per metre that Qt reads back as the given dots per inch.
int dotsPerMetre(int dpi)
{
    return qRound(dpi / 0.0254);
}

QImage paper(QSize size, int dpi)
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMetre(dpi));
    image.setDotsPerMeterY(dotsPerMetre(dpi));
    image.fill(Qt::white);
    return image;
}

const QColor Red(255, 0, 0);
const QColor Green(0, 255, 0);

} // namespace

class TestLayoutView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void deviceValues_data();
    void deviceValues();
    void pixelsAt96Dpi_data();
    void pixelsAt96Dpi();
    void labelStaysInsideItsTextBox();
    void labelsAreTenPoints_data();
    void labelsAreTenPoints();

private:
    QPalette m_palette;
    std::unique_ptr<KeyDocument> m_layout;
    QImage m_image;
};

void TestLayoutView::initTestCase()
{
    m_palette.setColor(QPalette::Button, QColor(0xc0, 0xc0, 0xc0));
    m_palette.setColor(QPalette::WindowText, Qt::black);
    // Key 0 red with a label too wide and too long for it; key 1 green and three columns wide,
    // covering keys 8 and 15, with no label.
    m_layout = std::make_unique<KeyDocument>(ProgramProfile::tavrin());
    m_layout->setColor(0, 0x0000FF);
    m_layout->setCaption(0, "WWWWWWWW|W|W|W|W|W");
    m_layout->setColor(1, 0x00FF00);
    m_layout->setCaption(1, "");
    QVERIFY(m_layout->MergeKey(1, 8));
    QVERIFY(m_layout->MergeKey(1, 15));
    // Key 82 hidden with no key over it, as a file may have it: its place stays bare paper.
    QList<KeyCell> cells = m_layout->grid().cells();
    cells[82].Visible = false;
    m_layout->load(cells, QString());

    m_image = paper(QSize(900, 520), 96);
    QPainter canvas(&m_image);
    LayoutView::DrawLayout(canvas, m_layout->grid(), m_palette);
}

void TestLayoutView::deviceValues_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("label");
    QTest::newRow("96") << 96 << 52 << 71 << 13;
    QTest::newRow("120") << 120 << 66 << 89 << 17;
    QTest::newRow("300") << 300 << 165 << 224 << 42;
    QTest::newRow("600") << 600 << 330 << 448 << 83;
    QTest::newRow("1200") << 1200 << 661 << 897 << 167;
}

void TestLayoutView::deviceValues()
{
    QFETCH(int, dpi);
    QFETCH(int, face);
    QFETCH(int, pitch);
    QFETCH(int, label);
    // Each direction follows its own resolution.
    const LayoutMetrics across = LayoutMetrics::forResolution(dpi, 72);
    const LayoutMetrics down = LayoutMetrics::forResolution(72, dpi);
    QCOMPARE(across.faceX, face);
    QCOMPARE(across.pitchX, pitch);
    QCOMPARE(down.faceY, face);
    QCOMPARE(down.pitchY, pitch);
    QCOMPARE(down.labelPixels, label);
}

void TestLayoutView::pixelsAt96Dpi_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
    // The first face's frame runs from (19, 19) to (71, 71), right and bottom exclusive.
    QTest::newRow("margin left of the first face") << QPoint(18, 50) << QColor(Qt::white);
    QTest::newRow("first frame, left") << QPoint(19, 50) << QColor(Qt::black);
    QTest::newRow("first frame, top") << QPoint(50, 19) << QColor(Qt::black);
    QTest::newRow("first frame, right") << QPoint(70, 50) << QColor(Qt::black);
    QTest::newRow("first frame, bottom") << QPoint(50, 70) << QColor(Qt::black);
    QTest::newRow("gap right of the first face") << QPoint(71, 50) << QColor(Qt::white);
    QTest::newRow("gap below the first face") << QPoint(50, 71) << QColor(Qt::white);
    QTest::newRow("first fill") << QPoint(60, 66) << Red;
    // The three-column key in row 1 runs from x = 19 to 213 over the faces of keys 8 and 15.
    QTest::newRow("wide key, left frame") << QPoint(19, 130) << QColor(Qt::black);
    QTest::newRow("wide key covers the gap") << QPoint(80, 130) << Green;
    QTest::newRow("hidden key leaves no frame") << QPoint(90, 130) << Green;
    QTest::newRow("hidden key leaves no fill") << QPoint(180, 130) << Green;
    QTest::newRow("bare hidden key, frame") << QPoint(851, 400) << QColor(Qt::white);
    QTest::newRow("bare hidden key, face") << QPoint(820, 400) << QColor(Qt::white);
    QTest::newRow("wide key, right frame") << QPoint(212, 130) << QColor(Qt::black);
    QTest::newRow("past the wide key") << QPoint(213, 130) << QColor(Qt::white);
    QTest::newRow("next face in its row") << QPoint(232, 130) << QColor(Qt::black);
    QTest::newRow("untouched face in button face") << QPoint(100, 66) << QColor(0xc0, 0xc0, 0xc0);
    // The layout ends at 12 x 71 = 852 across and 7 x 71 = 497 down.
    QTest::newRow("last face, bottom-right corner") << QPoint(851, 496) << QColor(Qt::black);
    QTest::newRow("past the layout, across") << QPoint(852, 496) << QColor(Qt::white);
    QTest::newRow("past the layout, down") << QPoint(851, 497) << QColor(Qt::white);
}

void TestLayoutView::pixelsAt96Dpi()
{
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    QCOMPARE(m_image.pixelColor(at), colour);
}

void TestLayoutView::labelStaysInsideItsTextBox()
{
    // The text box is (21, 21) to (69, 69): ink reaches its right edge and never the fill
    // ring around it.
    QRect ink;
    for (int y = 20; y < 70; ++y)
        for (int x = 20; x < 70; ++x)
            if (m_image.pixelColor(x, y) != Red)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(QRect(21, 21, 48, 48).contains(ink), qPrintable(QDebug::toString(ink)));
    QVERIFY(ink.right() >= 64);
    QVERIFY(ink.bottom() >= 55);
}

void TestLayoutView::labelsAreTenPoints_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("screen") << 96 << 13;
    QTest::newRow("printer") << 600 << 83;
}

void TestLayoutView::labelsAreTenPoints()
{
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QImage image = paper(QSize(8, 8), dpi);
    QPainter canvas(&image);
    LayoutView::DrawLayout(canvas, m_layout->grid(), m_palette);
    QCOMPARE(canvas.font().pixelSize(), pixels);
}

QTEST_MAIN(TestLayoutView)
#include "tst_layoutview.moc"
