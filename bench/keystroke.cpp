// The cost of keystrokes through the window's handlers, with QBENCHMARK. The
// cue player and the message box are replaced by no-ops, so the figures are
// the handlers' own work: nothing sounds and nothing is shown.
#include "panel/kavlo.h"
#include "shell/module1.h"
#include "shell/msgbox.h"

#include <QAction>
#include <QLabel>
#include <QTest>

class BenchKeystroke : public QObject
{
    Q_OBJECT

    kavlo *w = nullptr;
    int cues = 0;

private slots:
    void initTestCase()
    {
        Module1::setCuePlayer([this](Module1::Cue, const QString &) { ++cues; });
        setMsgBoxHandler([](QWidget *, const QString &, MsgStyle, const QString &) {});
        w = new kavlo;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // The cue is asked for on every accepted digit, as with Sound on.
        QVERIFY(w->nmuSound->isChecked());
    }

    void cleanupTestCase()
    {
        delete w;
        Module1::setCuePlayer({});
        setMsgBoxHandler({});
    }

    // 6 keystrokes: five digits fill the entry, C empties it for the next round.
    void digits()
    {
        w->cmdAC_Click();
        cues = 0;
        QBENCHMARK {
            w->AppendDigit(QLatin1Char('1'));
            w->AppendDigit(QLatin1Char('2'));
            w->AppendDigit(QLatin1Char('3'));
            w->AppendDigit(QLatin1Char('4'));
            w->AppendDigit(QLatin1Char('5'));
            w->cmdCan_Click();
        }
        QVERIFY(cues > 0);
        QCOMPARE(w->lblInput->text(), QString());
    }

    // 6 keystrokes: a whole batting average, 3 hits in 10 at-bats, then AC.
    void battingAverage()
    {
        w->cmdAC_Click();
        QBENCHMARK {
            w->AppendDigit(QLatin1Char('1'));
            w->AppendDigit(QLatin1Char('0'));
            w->cmdDaritu_Click();
            w->AppendDigit(QLatin1Char('3'));
            w->cmdDaritu_Click();
            w->cmdAC_Click();
        }
        // The last round's result, before its AC, was 0.300.
        w->AppendDigit(QLatin1Char('1'));
        w->AppendDigit(QLatin1Char('0'));
        w->cmdDaritu_Click();
        w->AppendDigit(QLatin1Char('3'));
        w->cmdDaritu_Click();
        QVERIFY(w->lblD->text().endsWith(QLatin1String("300")));
        w->cmdAC_Click();
    }
};

QTEST_MAIN(BenchKeystroke)
#include "keystroke.moc"
