// Saved settings on a real X server or on Windows: what is restored at start,
// what is saved on the way out, and damaged stores that must not stop the program.
#include "store.h"
#include "support.h"

#include "window/mainwindow.h"
#include "window/versiondialog.h"

#include <QApplication>
#include <QSessionManager>
#include <QTest>
#include <QTimer>

#include <memory>

class TestSettings : public QObject
{
    Q_OBJECT

    // Cues are recorded, never played: this test's windows stay off the sound server.
    std::unique_ptr<Recorder> rec;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRun();
    void positionComesBack_data();
    void positionComesBack();
    void soundIsSavedWhenSwitched();
    void logoutSaves();
    void exitSavesOnceAndClosesTheDialog();
    void closingLeavesTheDialogOpen();
    void damagedStores_data();
    void damagedStores();
};

void TestSettings::initTestCase()
{
    prepareApplication();
    if (QGuiApplication::platformName() != QLatin1String("xcb")
        && QGuiApplication::platformName() != QLatin1String("windows"))
        QSKIP("needs an X server or Windows");
}

void TestSettings::init()
{
    rec = std::make_unique<Recorder>();
    Store::remove();
}

void TestSettings::cleanup()
{
    rec.reset();
    VersionDialog::closeOpen();
    Store::remove();
}

void TestSettings::firstRun()
{
    MainWindow w;
    QVERIFY(action(w, "nmuSound")->isChecked());
    QVERIFY(!w.testAttribute(Qt::WA_Moved));  // the window system places it
    QVERIFY(!Store::exists());                // nothing is written at start
}

// clang-format off
void TestSettings::positionComesBack_data()
{
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<bool>("minimised");
    QTest::newRow("moved") << QPoint(321, 123) << false;
    QTest::newRow("closed while minimised") << QPoint(250, 260) << true;
    QTest::newRow("partly off the screen") << QPoint(-40, -25) << false;
}
// clang-format on

void TestSettings::positionComesBack()
{
    QFETCH(QPoint, where);
    QFETCH(bool, minimised);
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(where);
        QTRY_COMPARE(w.frameGeometry().topLeft(), where);
        if (minimised) {
            w.showMinimized();
            QTest::qWait(100);
        }
        w.close();
    }
    QCOMPARE(Store::value("Startup/X"), QString::number(where.x()));
    QCOMPARE(Store::value("Startup/Y"), QString::number(where.y()));
    MainWindow again;
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QVERIFY(!again.isMinimized());
    QTRY_COMPARE(again.frameGeometry().topLeft(), where);
}

// The switch is saved as it changes, so that it survives a display server
// going away; the position waits for the way out.
void TestSettings::soundIsSavedWhenSwitched()
{
    {
        MainWindow w;
        w.show();
        action(w, "nmuSound")->trigger();
        QCOMPARE(Store::read(), QByteArray("[sound]\na=False\n"));
        w.close();
    }
    QVERIFY(Store::read().contains("[sound]\na=False\n"));
    MainWindow again;
    QVERIFY(!action(again, "nmuSound")->isChecked());
    action(again, "nmuSound")->trigger();
    QVERIFY(Store::read().contains("[sound]\na=True\n"));
}

// The session manager asks for the data to be saved before a logout, and
// ends the program afterwards, or lets it run on.
void TestSettings::logoutSaves()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(60, 70);
    QTRY_COMPARE(w.frameGeometry().topLeft(), QPoint(60, 70));
    action(w, "nmuSound")->setChecked(false);  // as the user's switch would, without saving
    auto *manager = qApp->findChild<QSessionManager *>();
    QVERIFY(manager);
    emit qApp->commitDataRequest(*manager);
    QCOMPARE(Store::value("sound/a"), QStringLiteral("False"));
    QCOMPARE(Store::value("Startup/X"), QStringLiteral("60"));
    QCOMPARE(Store::value("Startup/Y"), QStringLiteral("70"));
    QVERIFY(w.isVisible());
}

void TestSettings::exitSavesOnceAndClosesTheDialog()
{
    MainWindow w;
    EventCounter closes(QEvent::Close);
    w.installEventFilter(&closes);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(40, 50);
    QTRY_COMPARE(w.frameGeometry().topLeft(), QPoint(40, 50));
    action(w, "nmuSound")->trigger();
    action(w, "nmuVer")->trigger();
    QVERIFY(VersionDialog::instance());

    QTimer::singleShot(0, action(w, "nmuExit"), &QAction::trigger);
    QCOMPARE(QApplication::exec(), 0);  // the program's event loop ends
    QCOMPARE(closes.count, 0);          // without a close request, which would save again
    QVERIFY(!VersionDialog::instance());
    QCOMPARE(Store::value("sound/a"), QStringLiteral("False"));
    QCOMPARE(Store::value("Startup/X"), QStringLiteral("40"));
    QCOMPARE(Store::value("Startup/Y"), QStringLiteral("50"));
}

void TestSettings::closingLeavesTheDialogOpen()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    action(w, "nmuVer")->trigger();
    QPointer<VersionDialog> dialog = VersionDialog::instance();
    QVERIFY(dialog);
    bool dialogOpenAfterClose = false;
    QTimer::singleShot(0, &w, [&] {
        w.close();
        dialogOpenAfterClose = dialog && dialog->isVisible();
        QTimer::singleShot(50, key(*dialog, "Command1"), &QPushButton::click);
    });
    // The program ends once its last window, the dialog, is closed.
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(dialogOpenAfterClose);
    QVERIFY(!w.isVisible());
    QCOMPARE(Store::value("sound/a"), QStringLiteral("True"));
}

// clang-format off
void TestSettings::damagedStores_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QPoint>("at");  // the frame's corner where the saved position is applied

    QTest::newRow("a=maybe") << QByteArray("[sound]\na=maybe\n") << true << QPoint();
    QTest::newRow("a=FALSE") << QByteArray("[sound]\na=FALSE\n") << false << QPoint();
    QTest::newRow("a=true") << QByteArray("[sound]\na=true\n") << true << QPoint();
    QTest::newRow("a empty") << QByteArray("[sound]\na=\n") << true << QPoint();
    QTest::newRow("X=abc") << QByteArray("[Startup]\nX=abc\nY=10\n") << true << QPoint();
    QTest::newRow("X too large") << QByteArray("[Startup]\nX=99999999999\nY=10\n") << true << QPoint();
    QTest::newRow("X plus width too large") << QByteArray("[Startup]\nX=2147483600\nY=10\n") << true << QPoint();
    QTest::newRow("Y missing") << QByteArray("[Startup]\nX=10\n") << true << QPoint();
    QTest::newRow("X fractional") << QByteArray("[Startup]\nX=1.5\nY=10\n") << true << QPoint();
    QTest::newRow("empty file") << QByteArray() << true << QPoint();
    static const char junk[] = "\x00\xff\xfe[\x01\x02=\x03\n\xc3\x28[sound\na=\x80\x81";
    QTest::newRow("binary junk") << QByteArray(junk, sizeof junk - 1) << true << QPoint();
    QTest::newRow("sections mixed up") << QByteArray("[Startup]\na=False\n[sound]\nX=5\nY=5\n") << true << QPoint();
    QTest::newRow("good position") << QByteArray("[Startup]\nX=200\nY=150\n") << true << QPoint(200, 150);
    QTest::newRow("partly above the screen") << QByteArray("[Startup]\nX=100\nY=-100\n") << true << QPoint(100, -100);
    // The inner window's height above the top edge: only the frame's title bar
    // and border reach the screen, where there is a frame (not on a bare X server).
    const QByteArray above = QByteArray::number(-MainWindow().sizeHint().height());
    const bool framed = QGuiApplication::platformName() == QLatin1String("windows");
    QTest::newRow("all but the frame above the screen") << "[Startup]\nX=100\nY=" + above + "\n" << true
        << (framed ? QPoint(100, above.toInt()) : QPoint());
}
// clang-format on

void TestSettings::damagedStores()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, sound);
    QFETCH(QPoint, at);

    Store::write(content);
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(action(w, "nmuSound")->isChecked(), sound);
        QCOMPARE(w.testAttribute(Qt::WA_Moved), !at.isNull());
        if (!at.isNull()) {
            QTRY_COMPARE(w.frameGeometry().topLeft(), at);
            QCOMPARE(w.size(), w.sizeHint());
        }
        play(w, QStringLiteral("4"));  // and it works
        QCOMPARE(label(w, "lblInput")->text(), QStringLiteral("4"));
        w.close();
    }
    // Leaving writes a sound store again, and a position restored as it was.
    QCOMPARE(Store::value("sound/a"), sound ? QStringLiteral("True") : QStringLiteral("False"));
    if (!at.isNull())
        QCOMPARE(QPoint(Store::value("Startup/X").toInt(), Store::value("Startup/Y").toInt()), at);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
