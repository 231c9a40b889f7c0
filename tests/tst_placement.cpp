// Where the window opens and what it saves under a real window manager: the
// openbox on the X server named in TEST_WM_DISPLAY (scripts/with-test-servers).
// A corner is the frame's, as the X server has it.
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

namespace {

enum Ending { CloseBox, Exit, Minimised, Maximised };

xcb_connection_t *x()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The window manager's frame around the window; the window itself until it has one.
xcb_window_t frame(const QWidget &w, xcb_window_t *root)
{
    for (xcb_window_t window = xcb_window_t(w.winId());;) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(x(), xcb_query_tree(x(), window), nullptr);
        const xcb_window_t parent = tree->parent;
        *root = tree->root;
        free(tree);
        if (parent == *root)
            return window;
        window = parent;
    }
}

QPoint frameCorner(const QWidget &w)
{
    xcb_window_t root;
    const xcb_window_t framed = frame(w, &root);
    if (framed == w.winId())
        return QPoint(-99999, -99999);
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(x(), xcb_get_geometry(x(), framed), nullptr);
    const QPoint corner = QPoint(g->x, g->y) / w.devicePixelRatioF();
    free(g);
    return corner;
}

// As a task bar asks it: the window manager closes the window as its close box does.
void closeBox(const QWidget &w)
{
    const char name[] = "_NET_CLOSE_WINDOW";
    xcb_intern_atom_reply_t *atom
        = xcb_intern_atom_reply(x(), xcb_intern_atom(x(), false, sizeof name - 1, name), nullptr);
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(w.winId());
    event.type = atom->atom;
    free(atom);
    xcb_window_t root;
    frame(w, &root);
    xcb_send_event(x(), false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(x());
}

}  // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

    QPoint firstRunCorner;

private slots:
    void initTestCase();
    void fiveRuns_data();
    void fiveRuns();
};

void TestPlacement::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("TEST_WM_DISPLAY"))
        QSKIP("needs the window manager's X server that scripts/with-test-servers starts");
    prepareApplication();
    QFile::remove(QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).fileName());
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));  // placed, and only then shown
    QTRY_VERIFY(frameCorner(w).x() > -99999);
    firstRunCorner = frameCorner(w);
}

// clang-format off
void TestPlacement::fiveRuns_data()
{
    QTest::addColumn<QPoint>("saved");
    QTest::addColumn<QPoint>("opens");  // null: where a first run opens
    QTest::addColumn<int>("ending");
    const QPoint farCorner = QGuiApplication::primaryScreen()->availableGeometry().bottomRight();
    QTest::newRow("close box") << QPoint(300, 200) << QPoint(300, 200) << int(CloseBox);
    QTest::newRow("終了") << QPoint(300, 200) << QPoint(300, 200) << int(Exit);
    QTest::newRow("partly off, top left") << QPoint(-40, -25) << QPoint(-40, -25) << int(CloseBox);
    // openbox itself keeps more than 10 pixels of a window on the screen.
    QTest::newRow("partly off, bottom right") << farCorner - QPoint(100, 60) << farCorner - QPoint(100, 60) << int(CloseBox);
    QTest::newRow("off every screen, far") << QPoint(5000, 5000) << QPoint() << int(CloseBox);
    QTest::newRow("off every screen, above") << QPoint(-500, -400) << QPoint() << int(Exit);
    QTest::newRow("off every screen, by a pixel") << QPoint(farCorner.x() + 1, 0) << QPoint() << int(CloseBox);
    QTest::newRow("minimised") << QPoint(250, 260) << QPoint(250, 260) << int(Minimised);
    QTest::newRow("maximised") << QPoint(250, 260) << QPoint(250, 260) << int(Maximised);
}
// clang-format on

// Each of five runs opens where the last was left, and is left there.
void TestPlacement::fiveRuns()
{
    QFETCH(QPoint, saved);
    QFETCH(QPoint, opens);
    QFETCH(int, ending);
    Recorder rec;
    QSettings store(QStringLiteral("KAVLO"), QStringLiteral("KAVLO"));
    store.setValue(QStringLiteral("Startup/X"), saved.x());
    store.setValue(QStringLiteral("Startup/Y"), saved.y());
    store.sync();
    const QPoint corner = opens.isNull() ? firstRunCorner : opens;
    for (int run = 1; run <= 5; ++run) {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(frameCorner(w), corner);
        if (ending == Exit) {
            QTimer::singleShot(0, w.findChild<QAction *>(QStringLiteral("nmuExit")), &QAction::trigger);
            QCOMPARE(QApplication::exec(), 0);
        } else {
            if (ending == Minimised)
                w.showMinimized();
            if (ending == Maximised)
                w.showMaximized();  // openbox leaves a fixed-size window as it is; Qt holds it maximised
            QTRY_VERIFY(ending != Minimised || !w.windowHandle()->isExposed());
            closeBox(w);
            QTRY_VERIFY(!w.isVisible());
        }
        store.sync();
        QCOMPARE(
            QPoint(store.value(QStringLiteral("Startup/X")).toInt(), store.value(QStringLiteral("Startup/Y")).toInt()),
            corner);
    }
}

int main(int argc, char *argv[])
{
    const QByteArray display = qgetenv("TEST_WM_DISPLAY");
    qputenv("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
    qputenv("DISPLAY", display);
    QApplication app(argc, argv);
    TestPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_placement.moc"
