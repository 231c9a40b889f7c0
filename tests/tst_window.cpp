// What the window shows in each state of each statistic: displays, captions,
// enabled keys, the messages it shows and the cues it plays, where the
// keyboard focus lands after each step, and what the panel shows while a
// message box is open. Controls are found by their object names, as tools
// outside the program find them.
#include "support.h"

#include <QApplication>
#include <QTest>

class TestWindow : public WindowTest
{
    Q_OBJECT

    QString focus() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none"; }

private slots:
    void rendered_data();
    void rendered();
    void messages_data();
    void messages();
    void focusAfterEachStep_data();
    void focusAfterEachStep();
    void focusMovesAtMostOnce_data();
    void focusMovesAtMostOnce();
};

// clang-format off
void TestWindow::rendered_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("cues");  // d digit, f function, with Sound on

    const struct {
        const char *script, *panel, *cues;
    } rows[] = {
        {"", "in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", ""},
        {"10", "in:10 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", "dd"},
        {"123456", "in:12345 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", "ddddd"},
        // Batting average.
        {"10 D", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", "ddf"},
        {"10 D 3", "in:3 A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", "ddfd"},
        {"10 D 3 D", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", "ddfdf"},
        {"10 D 3 D C", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", "ddfdf"},
        {"3 D 4 D", "in: A:3 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", "dfd"},
        {"00 D 0 D", "in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", "ddfd"},
        // Winning percentage.
        {"3 W", "in: A:3 B: C: D: | 勝/// | 打数 (&D)- 敗 (&L)+ 回 (&I)- | digits+ thirds-", "df"},
        {"3 W 1 W", "in: A:3 B: C:1 D:0.750 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-", "dfdf"},
        // Earned-run average.
        {"9 I", "in: A:9 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+", "df"},
        {"0 I 0/3", "in: A:0 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+", "df"},
        {"9 I 2/3", "in: A:9 B:2/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", "dff"},
        {"9 I 2/3 1 I", "in: A:9 B:2/3 C:1 D:0.93 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-", "dffdf"},
        {"9 I 2/3 1 I AC", "in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", "dffdf"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.script) << QString::fromLatin1(r.script) << QString::fromUtf8(r.panel) << QString::fromLatin1(r.cues);
}
// clang-format on

void TestWindow::rendered()
{
    QFETCH(QString, script);
    QFETCH(QString, panel);
    QFETCH(QString, cues);
    play(*w, script);
    QCOMPARE(::panel(*w), panel);
    QString played;
    for (Cue cue : rec->cues)
        played += cue == Cue::Digit ? 'd' : 'f';
    QCOMPARE(played, cues);
}

// clang-format off
void TestWindow::messages_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("whileOpen");  // the panel as the last token's message box shows
    QTest::addColumn<QString>("after");      // and once it is closed

    const int stop = int(MessageIcon::Stop), exclamation = int(MessageIcon::Exclamation);
    const QString empty = QStringLiteral("入力画面に数字を入力して下さい。");
    const char *ready = "in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-";
    QTest::newRow("empty entry") << "W" << exclamation << empty << ready << ready;
    QTest::newRow("empty entry, 打数") << "D" << exclamation << empty << ready << ready;
    QTest::newRow("empty entry awaiting hits")
        << "10 D H" << exclamation << empty << "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-"
        << "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-";
    QTest::newRow("hits over at-bats")
        << "3 D 4 D" << stop << "打数より安打の数のほうが多いです。"
        << "in:4 A:3 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-"
        << "in: A:3 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-";
    QTest::newRow("0 at-bats, 0 hits")
        << "0 D 0 D" << stop << "０打数０安打は打率000です。"
        << "in:0 A:0 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-" << ready;
    QTest::newRow("00 at-bats, 0 hits")
        << "00 D 0 H" << stop << "０打数０安打は打率000です。"
        << "in:0 A:00 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-" << ready;
    QTest::newRow("0 wins, 0 losses")
        << "0 W 0 W" << stop << "０勝０敗では勝率を計算できません。"
        << "in:0 A:0 B: C: D: | 勝/// | 打数 (&D)- 敗 (&L)+ 回 (&I)- | digits+ thirds-" << ready;
    QTest::newRow("0 wins, 000 losses")
        << "0 W 000 L" << stop << "０勝０敗では勝率を計算できません。"
        << "in:000 A:0 B: C: D: | 勝/// | 打数 (&D)- 敗 (&L)+ 回 (&I)- | digits+ thirds-" << ready;
    QTest::newRow("empty entry awaiting earned runs")
        << "9 I 1/3 J" << exclamation << empty
        << "in: A:9 B:1/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-"
        << "in: A:9 B:1/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-";
    QTest::newRow("zero innings")
        << "0 I 0/3" << stop << "投球回数が０なのでもし自責点があると防御率は無限大です。"
        << "in: A:0 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+"
        << "in: A:0 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+";
}
// clang-format on

// Each message is the calculator's, in a box owned by the window, over the
// panel as it stood; the action that ends in it plays no cue.
void TestWindow::messages()
{
    QFETCH(QString, script);
    QFETCH(int, icon);
    QFETCH(QString, text);
    QFETCH(QString, whileOpen);
    QFETCH(QString, after);
    QList<Shown> shown;
    QStringList seen;
    setMessageHandler([&](QWidget *owner, const QString &told, MessageIcon with, const QString &title) {
        shown.append({owner, told, with, title});
        seen << panel(*w);
    });
    const qsizetype last = script.lastIndexOf(QLatin1Char(' ')) + 1;
    play(*w, script.left(last));
    const QList<Cue> before = rec->cues;
    play(*w, script.mid(last));
    QCOMPARE(shown, QList<Shown>({{w.get(), text, MessageIcon(icon), QStringLiteral("Kavlo")}}));
    QCOMPARE(seen, QStringList{whileOpen});
    QCOMPARE(panel(*w), after);
    QCOMPARE(rec->cues, before);
}

// clang-format off
void TestWindow::focusAfterEachStep_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("focus");  // after each token of the script

    const struct {
        const char *name, *script, *focus;
    } rows[] = {
        // With the mouse: a key that is disabled under the focus hands it on.
        {"batting", "10 D 3 H AC", "cmd0 cmdDaritu cmd3 cmdAC cmdAC"},
        {"batting, empty entry", "D 10 D H", "cmdDaritu cmd0 cmdDaritu cmdDaritu"},
        {"batting, hits over at-bats", "3 D 4 H 2 H", "cmd3 cmdDaritu cmd4 cmdDaritu cmd2 cmdAC"},
        {"batting, 0 and 0", "00 D 0 H", "cmd0 cmdDaritu cmd0 cmdDaritu"},
        {"winning", "3 W 1 L AC", "cmd3 cmdSyoritu cmd1 cmdAC cmdAC"},
        {"winning, 0 and 0", "0 W 0 L", "cmd0 cmdSyoritu cmd0 cmdSyoritu"},
        {"winning, empty entry", "W", "cmdSyoritu"},
        {"ERA", "9 I 1/3 2 J AC", "cmd9 cmdAC cmdAC cmd2 cmdAC cmdAC"},
        {"ERA, 0/3 key", "9 I 0/3", "cmd9 cmdAC cmdAC"},
        {"ERA, 2/3 key", "9 I 2/3", "cmd9 cmdAC cmdAC"},
        {"ERA, zero innings refused", "0 I 0/3 2/3", "cmd0 cmdAC cmd03 cmdAC"},
        {"ERA, empty entry", "I 9 I 1/3 J", "comJiseki cmd9 cmdAC cmdAC comJiseki"},
        {"AC while thirds awaited", "9 I AC", "cmd9 cmdAC cmdAC"},
        {"C keeps the focus", "12 C", "cmd2 cmdCan"},
        // From the keyboard: the focus stays where it is unless its key is disabled.
        {"batting typed, focus on a digit", "@cmd5 t:10 p:D t:3 p:H", "cmd5 cmd5 cmd5 cmd5 cmdCan"},
        {"winning typed, focus on a digit", "@cmd7 t:4 p:W t:2 p:L", "cmd7 cmd7 cmd7 cmd7 cmdCan"},
        {"ERA typed, focus on a digit", "@cmd1 t:9 p:I F6 t:2 p:J", "cmd1 cmd1 cmdCan cmdCan cmdCan cmdCan"},
        {"ERA, focus on the winning key", "@cmdSyoritu t:9 p:I", "cmdSyoritu cmdSyoritu cmdAC"},
        {"ERA, focus on the batting key", "@cmdDaritu t:9 p:I", "cmdDaritu cmdDaritu cmdAC"},
        {"batting, focus on the winning key", "@cmdSyoritu t:10 p:D", "cmdSyoritu cmdSyoritu cmdDaritu"},
        {"batting, focus on the ERA key", "@comJiseki t:10 p:D", "comJiseki comJiseki cmdAC"},
        {"winning, focus on the batting key", "@cmdDaritu t:3 p:W", "cmdDaritu cmdDaritu cmdAC"},
        {"winning done, focus on C", "@cmdCan t:3 p:W t:1 p:L", "cmdCan cmdCan cmdCan cmdCan cmdCan"},
        {"F6 with the focus on 1/3", "9 I @cmd13 F6", "cmd9 cmdAC cmd13 cmdAC"},
        {"F5 with the focus on 0/3", "9 I @cmd03 F5", "cmd9 cmdAC cmd03 cmdAC"},
        {"F7 with the focus on 2/3", "9 I @cmd23 F7", "cmd9 cmdAC cmd23 cmdAC"},
        {"zero innings by F5, focus on 0/3", "0 I @cmd03 F5", "cmd0 cmdAC cmd03 cmd03"},
        {"AC by key, focus on 1/3", "9 I @cmd13 p:AC", "cmd9 cmdAC cmd13 cmdAC"},
        {"AC by key, focus on 0/3", "9 I @cmd03 p:AC", "cmd9 cmdAC cmd03 cmdAC"},
        {"ERA result, focus on the ERA key", "9 I 1/3 2 @comJiseki p:J", "cmd9 cmdAC cmdAC cmd2 comJiseki cmdAC"},
        {"winning 0 and 0, focus on a digit", "@cmd9 t:0 p:W t:0 p:L", "cmd9 cmd9 cmd9 cmd9 cmd9"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.script) << QString::fromLatin1(r.focus);
}
// clang-format on

void TestWindow::focusAfterEachStep()
{
    QFETCH(QString, script);
    QFETCH(QString, focus);
    QStringList seen;
    for (const QString &token : script.split(QLatin1Char(' '))) {
        play(*w, token);
        seen << this->focus();
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), focus);
}

// clang-format off
void TestWindow::focusMovesAtMostOnce_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("moves");

    QTest::newRow("batting result") << "@cmd1 t:10 p:D t:3" << "p:H" << 1;
    QTest::newRow("ERA innings") << "@cmd1 t:9" << "p:I" << 1;
    QTest::newRow("thirds by F6") << "9 I @cmd03" << "F6" << 1;
    QTest::newRow("winning first figure") << "@cmdDaritu t:3" << "p:W" << 1;
    QTest::newRow("focus not disabled") << "@cmdAC t:10 p:D t:3" << "p:H" << 0;
}
// clang-format on

// A screen reader announces every move of the focus: after an action it
// moves once, never through the keys the action disables.
void TestWindow::focusMovesAtMostOnce()
{
    QFETCH(QString, before);
    QFETCH(QString, action);
    QFETCH(int, moves);
    play(*w, before);
    EventCounter focusIns(QEvent::FocusIn);
    qApp->installEventFilter(&focusIns);
    play(*w, action);
    qApp->removeEventFilter(&focusIns);
    QCOMPARE(focusIns.count, moves);
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
