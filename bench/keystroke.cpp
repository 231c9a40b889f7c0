// The cost of keystrokes through the window's handlers, with QBENCHMARK: the
// calculator's work and the rendering of the panel. The cue player and the
// message box are replaced by no-ops, so nothing sounds and nothing is shown.
#include "desktop/cues.h"
#include "desktop/messagebox.h"
#include "window/mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QTest>

class BenchKeystroke : public QObject
{
    Q_OBJECT

    MainWindow *w = nullptr;
    const Statistic &batting = *findStatistic("battingAverage");
    int cues = 0;

private slots:
    void initTestCase()
    {
        Cues::setPlayer([this](Cue, const QString &) { ++cues; });
        setMessageHandler([](QWidget *, const QString &, MessageIcon, const QString &) {});
        w = new MainWindow;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // The cue is asked for on every accepted digit, as with Sound on.
        QVERIFY(w->findChild<QAction *>(QStringLiteral("nmuSound"))->isChecked());
    }

    void cleanupTestCase()
    {
        delete w;
        Cues::setPlayer({});
        setMessageHandler({});
    }

    // 6 keystrokes: five digits fill the entry, C empties it for the next round.
    void digits()
    {
        w->clearAllPressed();
        cues = 0;
        QBENCHMARK
        {
            w->digitPressed(1);
            w->digitPressed(2);
            w->digitPressed(3);
            w->digitPressed(4);
            w->digitPressed(5);
            w->clearEntryPressed();
        }
        QVERIFY(cues > 0);
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblInput"))->text(), QString());
    }

    // 6 keystrokes: a whole batting average, 3 hits in 10 at-bats, then AC.
    void battingAverage()
    {
        w->clearAllPressed();
        QBENCHMARK
        {
            w->digitPressed(1);
            w->digitPressed(0);
            w->statisticPressed(batting);
            w->digitPressed(3);
            w->statisticPressed(batting);
            w->clearAllPressed();
        }
        // The last round's result, before its AC, was 0.300.
        w->digitPressed(1);
        w->digitPressed(0);
        w->statisticPressed(batting);
        w->digitPressed(3);
        w->statisticPressed(batting);
        QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblD"))->text().endsWith(QLatin1String("300")));
        w->clearAllPressed();
    }
};

QTEST_MAIN(BenchKeystroke)
#include "keystroke.moc"
