// Both windows at the screen density and scale this run was started with
// (CTest runs it at 96, 120, 144 and 192 DPI, at twice the size, and on two
// screens at 1x and 2x): the client areas and fonts follow the density, the
// icon is whole and sharp on every screen, and the widest figures are shown whole.
#include "support.h"

#include "window/figuredisplay.h"
#include "window/historywindow.h"
#include "window/versiondialog.h"

#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTreeView>

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

public:
    static void initMain();

private slots:
    void initTestCase();
    void mainWindow();
    void versionDialog();
    void figuresAreWhole_data();
    void figuresAreWhole();
    void menusAtDesktopFonts_data();
    void menusAtDesktopFonts();
};

namespace {

// The first and last columns of a part of an image that hold black.
QPair<int, int> inkColumns(const QImage &image, const QRect &part)
{
    QPair<int, int> ink(-1, -1);
    for (int x = part.left(); x <= part.right(); ++x) {
        for (int y = part.top(); y <= part.bottom(); ++y)
            ink = qGray(image.pixel(x, y)) < 128 ? qMakePair(ink.first < 0 ? x : ink.first, x) : ink;
    }
    return ink;
}

}  // namespace

// Before the application starts: a run given DISPLAY_VARIABLE takes the X
// server that variable names (scripts/with-test-servers), or none.
void TestScale::initMain()
{
    if (const QByteArray variable = qgetenv("DISPLAY_VARIABLE"); !variable.isEmpty())
        useDisplayNamedBy(variable);
}

void TestScale::initTestCase()
{
    prepareApplication();
    // clang-format off
    const Expected runs[] = {
        {96, 1, {245, 274}, {213, 158}, 16},  {120, 1, {306, 342}, {266, 198}, 20},
        {144, 1, {367, 410}, {319, 238}, 24}, {192, 1, {490, 547}, {426, 317}, 32},
        {96, 2, {245, 274}, {213, 158}, 16},
    };
    // clang-format on
    MainWindow probe;
    for (const Expected &e : runs) {
        if (e.dpi == probe.logicalDpiX() && qFuzzyCompare(e.ratio, probe.devicePixelRatioF()))
            expected = e;
    }
    QVERIFY2(
        expected.dpi,
        qPrintable(QStringLiteral("no row for %1 DPI at %2x").arg(probe.logicalDpiX()).arg(probe.devicePixelRatioF())));
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
    // Moved to each screen in turn and back, the box draws the icon for that screen's scale.
    QList<QScreen *> path = QGuiApplication::screens();
    path.append(path.first());
    for (QScreen *screen : path) {
        w.move(screen->geometry().topLeft() + QPoint(40, 40));
        QTRY_COMPARE(label(w, "Picture1")->pixmap().devicePixelRatio(), screen->devicePixelRatio());
        iconIsWholeAndSharp(label(w, "Picture1"));
    }
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

// clang-format off
void TestScale::figuresAreWhole_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("entry") << "99999" << "";
    QTest::newRow("打率") << "99999 D 99999 D" << "1.000";
    QTest::newRow("勝率") << "99999 W 0 W" << "1.000";
    QTest::newRow("防御率, the widest") << "0 I 1/3 99999 I" << "2699973.00";
    QTest::newRow("防御率, six places") << "0 I 1/3 3704 I" << "100008.00";
    QTest::newRow("防御率, five places") << "1 I 0/3 3000 I" << "27000.00";
}
// clang-format on

// On each display the figure's black is as wide as where nothing cuts it
// off, and clear of the frame; the text itself is left as it is.
void TestScale::figuresAreWhole()
{
    QFETCH(QString, keys);
    QFETCH(QString, result);
    Recorder rec;
    MainWindow w;
    w.show();
    play(w, keys);
    QCOMPARE(label(w, "lblD")->text(), result);
    for (FigureDisplay *display : w.findChildren<FigureDisplay *>()) {
        const qreal ratio = display->devicePixelRatioF();
        const QRect inside(display->contentsRect().topLeft() * ratio, display->contentsRect().size() * ratio);
        const auto shown = inkColumns(display->grab().toImage(), inside);
        QImage whole(display->size() * 4 * ratio, QImage::Format_RGB32);
        whole.setDevicePixelRatio(ratio);
        whole.setDotsPerMeterX(qRound(display->logicalDpiX() / 0.0254));
        whole.setDotsPerMeterY(qRound(display->logicalDpiY() / 0.0254));
        whole.fill(Qt::white);
        QPainter painter(&whole);
        painter.setFont(display->shownFont());
        painter.drawText(QPoint(display->width(), display->height() * 2), display->text());
        painter.end();
        const auto drawn = inkColumns(whole, whole.rect());
        const QByteArray name = display->objectName().toLatin1();
        QVERIFY2(qAbs((shown.second - shown.first) - (drawn.second - drawn.first)) <= 1, name);
        QVERIFY2(display->text().isEmpty() || shown.first > inside.left(), name);
    }

    // The history opens wide enough for the result's row: every cell whole, no scroll bar.
    if (result.isEmpty())
        return;
    w.historyChosen();
    HistoryWindow *history = HistoryWindow::instance();
    QVERIFY(QTest::qWaitForWindowExposed(history));
    auto *list = child<QTreeView>(*history, "lstHistory");
    QVERIFY(list->header()->length() <= list->viewport()->width());  // columns sized to their contents
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    HistoryWindow::closeOpen();
}

void TestScale::menusAtDesktopFonts_data()
{
    QTest::addColumn<qreal>("points");
    for (qreal points : {9, 10, 11, 12, 14})
        QTest::addRow("%g pt", points) << points;
}

// Whatever the desktop's font, all four menus show in the bar, none behind its extension button.
void TestScale::menusAtDesktopFonts()
{
    QFETCH(qreal, points);
    const QFont desktop = QApplication::font();
    const auto restore = qScopeGuard([&desktop] { QApplication::setFont(desktop); });
    QFont font = desktop;
    font.setPointSizeF(points);
    QApplication::setFont(font);
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<QAction *> menus = w.menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    for (QAction *menu : menus)
        QVERIFY2(w.menuBar()->rect().contains(w.menuBar()->actionGeometry(menu)), qPrintable(menu->text()));
    QVERIFY(!child(*w.menuBar(), "qt_menubar_ext_button")->isVisible());
}

QTEST_MAIN(TestScale)
#include "tst_scale.moc"
