// Both windows at the screen density and scale this run was started with
// (CTest runs it at 96, 120, 144 and 192 DPI, and at twice the size): the
// client areas and fonts follow the density, and the icon is whole and sharp.
#include "support.h"

#include "window/versiondialog.h"

#include <QFontInfo>
#include <QStyle>
#include <QTest>

class TestScale : public QObject
{
    Q_OBJECT

    // What this run's density must give: the main window's and the version
    // dialog's client areas, and the display font's height, in logical pixels.
    struct Expected {
        int dpi;
        qreal ratio;
        QSize client, dialog;
        int displayFont;
    };
    Expected expected;

    void iconIsWholeAndSharp(QLabel *picture);

private slots:
    void initTestCase();
    void mainWindow();
    void versionDialog();
};

void TestScale::initTestCase()
{
    prepareApplication();
    const Expected runs[] = {
        {96, 1, {245, 274}, {213, 158}, 16},  {120, 1, {306, 342}, {266, 198}, 20},
        {144, 1, {367, 410}, {319, 238}, 24}, {192, 1, {490, 547}, {426, 317}, 32},
        {96, 2, {245, 274}, {213, 158}, 16},
    };
    MainWindow probe;
    for (const Expected &e : runs) {
        if (e.dpi == probe.logicalDpiX() && qFuzzyCompare(e.ratio, probe.devicePixelRatioF()))
            expected = e;
    }
    QVERIFY2(expected.dpi, qPrintable(QStringLiteral("no row for %1 DPI at %2x").arg(probe.logicalDpiX()).arg(probe.devicePixelRatioF())));
}

// The box shows the whole icon inside its frame, drawn from a pixmap with as
// many pixels as the screen has: 32 logical pixels, at the screen's ratio.
void TestScale::iconIsWholeAndSharp(QLabel *picture)
{
    const QPixmap icon = picture->pixmap();
    QCOMPARE(icon.deviceIndependentSize(), QSizeF(32, 32));
    QCOMPARE(icon.devicePixelRatio(), picture->devicePixelRatioF());
    const QRect inside = picture->contentsRect();
    QVERIFY2(inside.width() >= 32 && inside.height() >= 32,
             qPrintable(QStringLiteral("%1x%2 inside the frame").arg(inside.width()).arg(inside.height())));
    QVERIFY(picture->parentWidget()->rect().contains(picture->geometry()));

    // Drawn: white ball in the middle, grass at its left and right.
    const QImage drawn = picture->grab().toImage();
    const qreal r = drawn.devicePixelRatio();
    const QRectF at = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, QSize(32, 32), inside);
    const int row = qRound(at.center().y() * r);
    QCOMPARE(QColor(drawn.pixel(qRound(at.center().x() * r), row)), QColor(Qt::white));
    for (qreal x : {at.left() + 1, at.right() - 1}) {
        const QColor edge = drawn.pixel(qRound(x * r), row);
        QVERIFY2(edge.green() > 100 && edge.red() < 60 && edge.blue() < 60, qPrintable(edge.name()));
    }
}

void TestScale::mainWindow()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.centralWidget()->size(), expected.client);
    QCOMPARE(QFontInfo(label(w, "lblD")->font()).pixelSize(), expected.displayFont);
    iconIsWholeAndSharp(label(w, "Picture1"));
    for (const char *neighbour : {"cmdCan", "lblB"})
        QVERIFY2(!label(w, "Picture1")->geometry().intersects(child(w, neighbour)->geometry()), neighbour);
    // The window icon has a drawing for every size up to a 2x task bar, so it is never scaled up.
    QCOMPARE(w.windowIcon().availableSizes().last(), QSize(64, 64));
}

void TestScale::versionDialog()
{
    MainWindow w;
    action(w, "nmuVer")->trigger();
    VersionDialog *v = VersionDialog::instance();
    QVERIFY(v);
    QCOMPARE(v->size(), expected.dialog);
    iconIsWholeAndSharp(label(*v, "Picture1"));
    QVERIFY(!label(*v, "Picture1")->geometry().intersects(label(*v, "Label1")->geometry()));
    VersionDialog::closeOpen();
}

QTEST_MAIN(TestScale)
#include "tst_scale.moc"
