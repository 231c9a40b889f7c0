// The three windows on the tests' headless Weston: each has the program's own
// title bar, with the whole title and no maximise, and the compositor's
// maximised and full-screen states leave it running. A protocol error ends a
// Wayland program at once, this test with it, and CTest reports that.
#include "support.h"

#include "window/historywindow.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QWindow>

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void noMaximise_data();
    void noMaximise();
};

// clang-format off
void TestWayland::noMaximise_data()
{
    QTest::addColumn<QString>("opened");  // the menu item, if any
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<bool>("fixed");  // or resized as the compositor asks
    QTest::newRow("main") << "" << "kavlo" << "KavloVer2.0" << QStringList{"最小化", "閉じる"} << true;
    QTest::newRow("history") << "nmuHistory" << "History" << "計算履歴" << QStringList{"最小化", "閉じる"} << false;
    QTest::newRow("version") << "nmuVer" << "Ver" << "バ－ジョン情報" << QStringList{"閉じる"} << true;
}
// clang-format on

void TestWayland::noMaximise()
{
    QFETCH(QString, opened);
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
    QFETCH(bool, fixed);
    Recorder rec;
    MainWindow w;
    w.show();
    if (!opened.isEmpty())
        action(w, opened)->trigger();
    QWidget *shown = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        shown = top->objectName() == window ? top : shown;
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QVERIFY(shown->windowFlags() & Qt::FramelessWindowHint);  // Qt's own title bar offers maximise
    QStringList offered;
    for (auto *button : shown->findChildren<QToolButton *>()) {
        if (!button->accessibleName().isEmpty())  // not the menu bar's extension button
            offered << button->accessibleName();
    }
    QCOMPARE(offered, buttons);
    QLabel *caption = nullptr;
    for (auto *label : shown->findChildren<QLabel *>())
        caption = label->text() == title ? label : caption;
    QVERIFY(caption && caption->width() >= caption->sizeHint().width());

    const QSize size = shown->size();
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        shown->windowHandle()->setWindowStates(state);
        QTest::qWait(300);  // the compositor's configure, and the answer to it
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QTRY_COMPARE(shown->size() == size, fixed);
        QCOMPARE(shown->windowState() == Qt::WindowNoState, fixed);
    }
    // Still answering: a key of the main window works.
    play(w, "7");
    QCOMPARE(label(w, "lblInput")->text(), QStringLiteral("7"));
    HistoryWindow::closeOpen();
}

// On the tests' Wayland display, whatever platform the session has; skipped (77) without one.
int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("TEST_WAYLAND_DISPLAY"))
        return 77;
    qputenv("WAYLAND_DISPLAY", qgetenv("TEST_WAYLAND_DISPLAY"));
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestWayland test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wayland.moc"
