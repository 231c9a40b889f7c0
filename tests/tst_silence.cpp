// With no sound server at all, the cues are silence: no error, hang or crash.
#include "support.h"

#include "window/mainwindow.h"
#include "desktop/cueplayer.h"
#include "desktop/cues.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

class TestSilence : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void cuesWithoutAServer();
};

void TestSilence::cuesWithoutAServer()
{
    MainWindow w;
    w.show();
    QElapsedTimer t;
    t.start();
    play(w, QStringLiteral("123456"));
    Cues::play(Cue::Function);
    CuePlayer::instance().play(QStringLiteral("/nonexistent/kavlo1.wav"));
    QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
    QTest::qWait(500);
    QCOMPARE(label(w, "lblInput")->text(), QStringLiteral("12345"));
    for (const char *name : {"kavlo1.wav", "kavlo2.wav"})
        QVERIFY(!CuePlayer::instance().isPlaying(QApplication::applicationDirPath() + '/' + name));
}

QTEST_MAIN(TestSilence)
#include "tst_silence.moc"
