// SPDX-License-Identifier: MIT
#include "keymodel/KeyDocument.h"
#include "keymodel/KeyGrid.h"
#include "layoutview/TViewDlg.h"
#include "profile/ProgramProfile.h"

#include <QApplication>
#include <QTest>

// The view window on a desktop scaled by a fraction (1.25 of 96 dpi: 120 dpi), as the screen
// lights its pixels.
class TestViewScale : public QObject
{
    Q_OBJECT
private slots:
    void facesInDevicePixels();
};

namespace {

// The x of every black pixel in the image's row y.
QList<int> blackAlong(const QImage &image, int y)
{
    QList<int> xs;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == Qt::black)
            xs << x;
    return xs;
}

} // namespace

void TestViewScale::facesInDevicePixels()
{
    KeyDocument layout(ProgramProfile::tavrin());
    for (int i = 0; i < layout.grid().count(); ++i)
        layout.setCaption(i, QByteArray()); // no label pixels among the frame lines
    TViewDlg view(layout.grid());
    view.resize(900, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.devicePixelRatioF(), 1.25);
    const QImage shot = view.grab().toImage();

    // At 120 dpi faces are 66 pixels on a pitch of 89: column c's frame lines stand at
    // 89 (c + 1) - 66 and 89 (c + 1) - 1, each one pixel wide, every pitch the same.
    QList<int> expected;
    for (int c = 0; c < 12; ++c)
        expected << 89 * (c + 1) - 66 << 89 * (c + 1) - 1;
    QCOMPARE(blackAlong(shot, 60).first(24), expected);
    // Down the first column, rows 0 to 6.
    QList<int> ys;
    for (int y = 0; y < shot.height(); ++y)
        if (shot.pixelColor(60, y) == Qt::black)
            ys << y;
    QList<int> expectedYs;
    for (int r = 0; r < 7; ++r)
        expectedYs << 89 * (r + 1) - 66 << 89 * (r + 1) - 1;
    QCOMPARE(ys.first(14), expectedYs);
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "1.25");
    QApplication app(argc, argv);
    TestViewScale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_viewscale.moc"
