// Where the window opens and what it saves under a real window manager, and
// the second windows coming back when they are opened again: on the X server
// that the variable WM_DISPLAY_VARIABLE names, TEST_WM_DISPLAY (openbox) unless
// it says otherwise (scripts/with-test-servers). A corner is the frame's, as
// the X server has it.
#include "support.h"

#include "window/historywindow.h"
#include "window/versiondialog.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

namespace {

enum Ending { CloseBox, Exit, Minimised, Maximised, FullScreen, Shaded };

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

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(x(), xcb_intern_atom(x(), false, strlen(name), name), nullptr);
    const xcb_atom_t atom = reply->atom;
    free(reply);
    return atom;
}

// Asks the window manager for something about the window, as a task bar or
// wmctrl does.
void askWindowManager(const QWidget &w, const char *message, xcb_atom_t argument = 0)
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(w.winId());
    event.type = atom(message);
    event.data.data32[0] = 1;  // for _NET_WM_STATE: add
    event.data.data32[1] = argument;
    xcb_window_t root;
    frame(w, &root);
    xcb_send_event(x(), false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(x());
}

// Whether the window manager has put the window in that state.
bool inState(const QWidget &w, xcb_atom_t state)
{
    const xcb_get_property_cookie_t cookie
        = xcb_get_property(x(), false, xcb_window_t(w.winId()), atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 32);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(x(), cookie, nullptr);
    const auto *states = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
    const bool in = std::find(states, states + xcb_get_property_value_length(reply) / 4, state)
        != states + xcb_get_property_value_length(reply) / 4;
    free(reply);
    return in;
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
    void secondWindowsComeBack_data();
    void secondWindowsComeBack();
};

void TestPlacement::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
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
    // Before X maps the window its frame is not known: the inner window's
    // height, measured from the frame's corner, must reach the screen.
    const int height = MainWindow().sizeHint().height();
    QTest::newRow("off every screen, above by the height") << QPoint(300, -height) << QPoint() << int(Exit);
    QTest::newRow("off every screen, far") << QPoint(5000, 5000) << QPoint() << int(CloseBox);
    QTest::newRow("off every screen, above") << QPoint(-500, -400) << QPoint() << int(Exit);
    QTest::newRow("off every screen, by a pixel") << QPoint(farCorner.x() + 1, 0) << QPoint() << int(CloseBox);
    QTest::newRow("off every screen, at the 32-bit edge") << QPoint(-2147483647 - 1, 0) << QPoint() << int(CloseBox);
    QTest::newRow("minimised") << QPoint(250, 260) << QPoint(250, 260) << int(Minimised);
    QTest::newRow("maximised") << QPoint(250, 260) << QPoint(250, 260) << int(Maximised);
    QTest::newRow("full screen by the window manager") << QPoint(250, 260) << QPoint(250, 260) << int(FullScreen);
    QTest::newRow("shaded") << QPoint(250, 260) << QPoint(250, 260) << int(Shaded);
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
            if (ending == FullScreen || ending == Shaded) {
                const char *state = ending == FullScreen ? "_NET_WM_STATE_FULLSCREEN" : "_NET_WM_STATE_SHADED";
                askWindowManager(w, "_NET_WM_STATE", atom(state));
                QTRY_VERIFY(inState(w, atom(state)));
            }
            QTRY_VERIFY(ending != Minimised || !w.windowHandle()->isExposed());
            askWindowManager(w, "_NET_CLOSE_WINDOW");  // as the close box does
            QTRY_VERIFY(!w.isVisible());
        }
        store.sync();
        QCOMPARE(
            QPoint(store.value(QStringLiteral("Startup/X")).toInt(), store.value(QStringLiteral("Startup/Y")).toInt()),
            corner);
    }
}

// clang-format off
void TestPlacement::secondWindowsComeBack_data()
{
    QTest::addColumn<QString>("opened");  // by
    QTest::newRow("history, by its menu item") << "nmuHistory";
    QTest::newRow("history, by Ctrl+H") << "Ctrl+H";
    QTest::newRow("version window") << "nmuVer";
}
// clang-format on

// Minimised, a second window comes back, in front and active, when it is opened again.
void TestPlacement::secondWindowsComeBack()
{
    QFETCH(QString, opened);
    Recorder rec;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    const auto open = [&] {
        if (opened == QLatin1String("Ctrl+H"))
            QTest::keyClick(w.focusWidget(), Qt::Key_H, Qt::ControlModifier);
        else
            action(w, opened)->trigger();
        return opened == QLatin1String("nmuVer") ? static_cast<QWidget *>(VersionDialog::instance())
                                                 : HistoryWindow::instance();
    };
    QWidget *second = open();
    QVERIFY(QTest::qWaitForWindowActive(second));
    second->showMinimized();
    // IceWM keeps a dialog up that has a window of its own to stand for.
    if (!QTest::qWaitFor([second] { return !second->windowHandle()->isExposed(); })) {
        VersionDialog::closeOpen();
        QSKIP("the window manager does not minimise this window");
    }
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(open(), second);
    QVERIFY(QTest::qWaitForWindowActive(second));
    QVERIFY(!second->isMinimized());
    VersionDialog::closeOpen();
}

int main(int argc, char *argv[])
{
    useDisplayNamedBy(qEnvironmentVariable("WM_DISPLAY_VARIABLE", "TEST_WM_DISPLAY").toLatin1());
    QApplication app(argc, argv);
    TestPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_placement.moc"
