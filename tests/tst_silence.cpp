// With no sound server at all, the cues are silence: no error, hang or crash.
#include "support.h"

#include "window/mainwindow.h"
#include "desktop/cueplayer.h"
#include "desktop/cues.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSoundEffect>
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
    for (int d : {1, 2, 3, 4, 5, 6})
        QTest::mouseClick(w.digitKeys[d], Qt::LeftButton);
    Cues::play(QStringLiteral("kavlo2.wav"));
    CuePlayer::instance().play(QStringLiteral("/nonexistent/kavlo1.wav"));
    QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
    QTest::qWait(500);
    QCOMPARE(w.lblInput->text(), QStringLiteral("12345"));
    for (const char *name : {"kavlo1.wav", "kavlo2.wav"}) {
        if (QSoundEffect *e = CuePlayer::instance().effect(QApplication::applicationDirPath() + '/' + name))
            QVERIFY(!e->isPlaying());
    }
}

QTEST_MAIN(TestSilence)
#include "tst_silence.moc"
