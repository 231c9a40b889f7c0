// Where the window opens and what it saves, under a real window manager: the
// openbox on the X server named in TEST_WM_DISPLAY, which scripts/
// with-test-servers starts. The corner is the frame's, as the X server has
// it, and each row is a run of five, each opening where the last was left.
#include "support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

enum class Ending { CloseBox, Exit, Minimised, Maximised, MovedAndClosed };

xcb_connection_t *connection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply *reply)
{
    return {reply, &std::free};
}

// The window that holds the program's on the screen: the window manager's
// frame, once it has taken the window.
xcb_window_t topWindow(const QWidget &w, xcb_window_t *root = nullptr)
{
    xcb_window_t window = xcb_window_t(w.winId());
    for (;;) {
        const auto tree = owned(xcb_query_tree_reply(connection(), xcb_query_tree(connection(), window), nullptr));
        if (!tree)
            return window;
        if (root)
            *root = tree->root;
        if (tree->parent == tree->root)
            return window;
        window = tree->parent;
    }
}

// In the window's logical pixels, as the window's own are.
QPoint frameCorner(const QWidget &w)
{
    if (topWindow(w) == xcb_window_t(w.winId()))
        return QPoint(-99999, -99999);  // not framed yet
    const auto g = owned(xcb_get_geometry_reply(connection(), xcb_get_geometry(connection(), topWindow(w)), nullptr));
    return QPoint(g->x, g->y) / w.devicePixelRatioF();
}

// As a pager or a task bar asks it: the window manager moves the frame, or
// closes the window as its close box does.
void askTheWindowManager(const QWidget &w, const char *request, std::array<quint32, 5> data)
{
    const auto atom = owned(xcb_intern_atom_reply(
        connection(), xcb_intern_atom(connection(), false, uint16_t(qstrlen(request)), request), nullptr));
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(w.winId());
    event.type = atom->atom;
    std::copy(data.begin(), data.end(), event.data.data32);
    xcb_window_t root = 0;
    topWindow(w, &root);
    xcb_send_event(connection(), false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(connection());
}

QString stored(const char *key)
{
    return QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).value(QLatin1String(key)).toString();
}

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

    std::unique_ptr<Recorder> rec;
    QPoint firstRunCorner;

    void end(MainWindow &w, Ending ending, QPoint movedTo);

private slots:
    void initTestCase();
    void init() { QFile::remove(QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).fileName()); }
    void fiveRuns_data();
    void fiveRuns();
};

void TestPlacement::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("TEST_WM_DISPLAY"))
        QSKIP("needs the window manager's X server that scripts/with-test-servers starts");
    prepareApplication();
    rec = std::make_unique<Recorder>();
    init();
    MainWindow w;
    w.show();
    QTRY_VERIFY(frameCorner(w).x() > -99999);
    firstRunCorner = frameCorner(w);
}

// Every way but 終了 closes the window through the window manager, as its
// close box does, after all it has told the program before.
void TestPlacement::end(MainWindow &w, Ending ending, QPoint movedTo)
{
    if (ending == Ending::Exit) {
        QTimer::singleShot(0, w.findChild<QAction *>(QStringLiteral("nmuExit")), &QAction::trigger);
        QCOMPARE(QApplication::exec(), 0);
        return;
    }
    if (ending == Ending::Minimised) {
        w.showMinimized();
        QTRY_VERIFY(!w.windowHandle()->isExposed());
    } else if (ending == Ending::Maximised) {
        w.showMaximized();
        QTest::qWait(200);  // openbox leaves a fixed-size window as it is, but Qt holds it maximised
    } else if (ending == Ending::MovedAndClosed) {
        // _NET_MOVERESIZE_WINDOW: north-west gravity, x and y given, from a pager.
        const QPoint native = movedTo * w.devicePixelRatioF();
        askTheWindowManager(w, "_NET_MOVERESIZE_WINDOW",
                            {XCB_GRAVITY_NORTH_WEST | 1 << 8 | 1 << 9 | 2 << 12, quint32(native.x()), quint32(native.y())});
        QTRY_COMPARE(frameCorner(w), movedTo);
    }
    askTheWindowManager(w, "_NET_CLOSE_WINDOW", {XCB_CURRENT_TIME, 2});
    QTRY_VERIFY(!w.isVisible());
}

void TestPlacement::fiveRuns_data()
{
    QTest::addColumn<QPoint>("saved");
    QTest::addColumn<QPoint>("opens");  // null: where a first run opens
    QTest::addColumn<int>("ending");
    QTest::addColumn<QPoint>("movedTo");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int close = int(Ending::CloseBox);
    QTest::newRow("close box") << QPoint(300, 200) << QPoint(300, 200) << close << QPoint();
    QTest::newRow("終了") << QPoint(300, 200) << QPoint(300, 200) << int(Ending::Exit) << QPoint();
    QTest::newRow("partly off, top left") << QPoint(-40, -25) << QPoint(-40, -25) << close << QPoint();
    // openbox keeps a corner of the window on the screen; the program does not need to.
    QTest::newRow("partly off, bottom right") << screen.bottomRight() - QPoint(100, 60)
                                              << screen.bottomRight() - QPoint(100, 60) << close << QPoint();
    QTest::newRow("off every screen, far") << QPoint(5000, 5000) << QPoint() << close << QPoint();
    QTest::newRow("off every screen, negative") << QPoint(-500, -400) << QPoint() << close << QPoint();
    QTest::newRow("off every screen, just") << QPoint(screen.right() + 1, 0) << QPoint() << close << QPoint();
    QTest::newRow("minimised") << QPoint(250, 260) << QPoint(250, 260) << int(Ending::Minimised) << QPoint();
    QTest::newRow("maximised") << QPoint(250, 260) << QPoint(250, 260) << int(Ending::Maximised) << QPoint();
    QTest::newRow("moved") << QPoint(250, 260) << QPoint(250, 260) << int(Ending::MovedAndClosed) << QPoint(123, 77);
}

void TestPlacement::fiveRuns()
{
    QFETCH(QPoint, saved);
    QFETCH(QPoint, opens);
    QFETCH(int, ending);
    QFETCH(QPoint, movedTo);

    QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).setValue(QStringLiteral("Startup/X"), saved.x());
    QSettings(QStringLiteral("KAVLO"), QStringLiteral("KAVLO")).setValue(QStringLiteral("Startup/Y"), saved.y());
    QPoint corner = opens.isNull() ? firstRunCorner : opens;
    for (int run = 1; run <= 5; ++run) {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_COMPARE(frameCorner(w), corner);
        end(w, Ending(ending), movedTo);
        if (!movedTo.isNull())
            corner = movedTo;
        QCOMPARE(QPoint(stored("Startup/X").toInt(), stored("Startup/Y").toInt()), corner);
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
