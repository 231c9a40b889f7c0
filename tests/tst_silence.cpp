// With no sound server at all, the cues are silence: no error, hang or crash.
#include "support.h"

#include "panel/kavlo.h"
#include "shell/cuesounds.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSoundEffect>
#include <QTest>

using Module1::Cue;

class TestSilence : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareApplication(); }
    void cuesWithoutAServer();
};

void TestSilence::cuesWithoutAServer()
{
    kavlo w;
    w.show();
    QElapsedTimer t;
    t.start();
    for (int d : {1, 2, 3, 4, 5, 6})
        QTest::mouseClick(w.cmd[d], Qt::LeftButton);
    Module1::PlayFunctionSound();
    CueSounds::instance().play(Cue::Digit, QStringLiteral("/nonexistent/kavlo1.wav"));
    QVERIFY2(t.elapsed() < 500, qPrintable(QString::number(t.elapsed())));
    QTest::qWait(500);
    QCOMPARE(w.lblInput->text(), QStringLiteral("12345"));
    for (Cue c : {Cue::Digit, Cue::Function}) {
        if (QSoundEffect *e = CueSounds::instance().effect(c))
            QVERIFY(!e->isPlaying());
    }
}

QTEST_MAIN(TestSilence)
#include "tst_silence.moc"
