// With no sound server at all, the cues are silence: no message, hang or
// crash, nothing on the terminal, and no server started for them.
#include "support.h"

#include "window/mainwindow.h"
#include "desktop/cueplayer.h"
#include "desktop/cues.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestSilence : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void cuesWithoutAServer();
    void playerWithoutAServer_data();
    void playerWithoutAServer();
};

void TestSilence::cuesWithoutAServer()
{
    MainWindow w;
    w.show();
    QElapsedTimer t;
    t.start();
    play(w, QStringLiteral("123456"));
    Cues::play(Cue::Function);
    CuePlayer::play(QStringLiteral("/nonexistent/kavlo1.wav"));
    QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
    QTest::qWait(500);
    QCOMPARE(label(w, "lblInput")->text(), QStringLiteral("12345"));
    // The cues need no media framework, loaded or linked.
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray loaded = maps.readAll();
    for (const char *framework : {"Multimedia", "libavcodec", "libgst"})
        QVERIFY2(!loaded.contains(framework), framework);
}

void TestSilence::playerWithoutAServer_data()
{
    QTest::addColumn<bool>("named");
    QTest::newRow("a server named that is not there") << true;
    QTest::newRow("no server named, none where one would be") << false;
}

void TestSilence::playerWithoutAServer()
{
    QFETCH(bool, named);

    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    if (!named)
        env.remove(QStringLiteral("PULSE_SERVER"));
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(QStringLiteral(CUE_RUN), QStringList());
    player.write("prepare\ndigit\nfunction\ndigit\n");
    player.closeWriteChannel();
    QVERIFY(player.waitForFinished(5000));
    QCOMPARE(player.exitCode(), 0);
    QCOMPARE(player.readAllStandardOutput(), QByteArray("done\ndone\ndone\ndone\n"));
    QCOMPARE(player.readAllStandardError(), QByteArray());
    QVERIFY(!QFile::exists(home.filePath(QStringLiteral("pulse/native"))));
}

QTEST_MAIN(TestSilence)
#include "tst_silence.moc"
