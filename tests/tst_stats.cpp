// The three statistics worked with the mouse: results, refusals, the state
// after every step, and the cues.
#include "support.h"

#include "panel/kavlo.h"

#include <QAction>
#include <QLabel>
#include <QTest>

#include <memory>

using Module1::Cue;

namespace {

const char *const Ready = "in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-";
const QString EnterNumber = QStringLiteral("48:入力画面に数字を入力して下さい。");

} // namespace

class TestStats : public WindowTest
{
    Q_OBJECT

private slots:

    void results_data();
    void results();
    void steps_data();
    void steps();
};

void TestStats::results_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("result");

    const struct {
        const char *script, *first, *result;
    } rows[] = {
        // Batting average: at-bats D hits D.
        {"10 D 3 D", "10", "0.300"}, {"3 D 1 D", "3", "0.333"}, {"3 D 2 D", "3", "0.667"},
        {"16 D 1 D", "16", "0.063"}, {"16 D 3 D", "16", "0.188"}, {"5 D 5 D", "5", "1.000"},
        {"5 D 0 D", "5", "0.000"}, {"007 D 1 D", "007", "0.143"}, {"2000 D 247 D", "2000", "0.124"},
        {"99999 D 99999 D", "99999", "1.000"}, {"99999 D 1 D", "99999", "0.000"},
        // Winning percentage: wins W losses W.
        {"3 W 1 W", "3", "0.750"}, {"1 W 2 W", "1", "0.333"}, {"2 W 1 W", "2", "0.667"},
        {"15 W 1 W", "15", "0.938"}, {"0 W 4 W", "0", "0.000"}, {"5 W 0 W", "5", "1.000"},
        {"007 W 0 W", "007", "1.000"}, {"1 W 99999 W", "1", "0.000"},
        // Earned-run average: innings I thirds runs I.
        {"9 I 0/3 3 I", "9", "3.00"}, {"6 I 1/3 2 I", "6", "2.84"}, {"8 I 2/3 3 I", "8", "3.12"},
        {"180 I 1/3 50 I", "180", "2.50"}, {"0 I 1/3 1 I", "0", "27.00"}, {"0 I 2/3 1 I", "0", "13.50"},
        {"72 I 0/3 1 I", "72", "0.13"}, {"7 I 2/3 0 I", "7", "0.00"}, {"1 I 0/3 99999 I", "1", "899991.00"},
        {"0 I 1/3 99999 I", "0", "2699973.00"}, {"0 I 2/3 99999 I", "0", "1349986.50"},
        {"009 I 0/3 3 I", "009", "3.00"}, {"0 I 1/3 0 I", "0", "0.00"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.script) << QString::fromLatin1(r.script) << QString::fromLatin1(r.first)
                                << QString::fromLatin1(r.result);
}

void TestStats::results()
{
    QFETCH(QString, script);
    QFETCH(QString, first);
    QFETCH(QString, result);
    run(*w, script);
    QCOMPARE(w->lblA->text(), first);
    QCOMPARE(w->lblD->text(), result);
    QVERIFY(rec->messages.isEmpty());
}

void TestStats::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("cues");

    const struct {
        const char *script;
        QString state;
        QStringList messages;
        int cues;
    } rows[] = {
        // Batting average.
        {"10 D", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", {}, 1},
        {"10 D 3", "in:3 A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", {}, 1},
        {"10 D 3 D", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", {}, 2},
        {"10 D 3 D 5 W I D", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", {}, 2},
        {"10 D 3 D C", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", {}, 2},
        {"10 D 3 D AC", Ready, {}, 2},
        {"D", Ready, {EnterNumber}, 0},
        {"10 D D", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", {EnterNumber}, 1},
        {"10 D W I", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", {}, 1},
        {"3 D 4 D", "in: A:3 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-",
         {"16:打数より安打の数のほうが多いです。"}, 1},
        {"3 D 4 D 2 D", "in: A:3 B: C:2 D:0.667 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-",
         {"16:打数より安打の数のほうが多いです。"}, 2},
        {"0 D 1 D", "in: A:0 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-",
         {"16:打数より安打の数のほうが多いです。"}, 1},
        {"00 D 0 D", Ready, {"16:０打数０安打は打率000です。"}, 1},
        {"00 D 0 D 4 D 1 D", "in: A:4 B: C:1 D:0.250 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-",
         {"16:０打数０安打は打率000です。"}, 3},
        // Winning percentage.
        {"3 W", "in: A:3 B: C: D: | 勝/// | 打数 (&D)- 敗 (&L)+ 回 (&I)- | digits+ thirds-", {}, 1},
        {"3 W 1 W", "in: A:3 B: C:1 D:0.750 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-", {}, 2},
        {"3 W 1 W AC", Ready, {}, 2},
        {"W", Ready, {EnterNumber}, 0},
        {"3 W W", "in: A:3 B: C: D: | 勝/// | 打数 (&D)- 敗 (&L)+ 回 (&I)- | digits+ thirds-", {EnterNumber}, 1},
        {"0 W 0 W", Ready, {"16:０勝０敗では勝率を計算できません。"}, 1},
        {"00 W 000 W", Ready, {"16:０勝０敗では勝率を計算できません。"}, 1},
        {"2 W 5 W", "in: A:2 B: C:5 D:0.286 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-", {}, 2},
        // Earned-run average.
        {"9 I", "in: A:9 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+", {}, 1},
        {"9 I 3 C", "in: A:9 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+", {}, 1},
        {"9 I 0/3", "in: A:9 B:0/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", {}, 2},
        {"9 I 0/3 3 I", "in: A:9 B:0/3 C:3 D:3.00 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-", {}, 3},
        {"9 I 0/3 3 I AC", Ready, {}, 3},
        {"9 I AC", Ready, {}, 1},
        {"I", Ready, {EnterNumber}, 0},
        {"9 I 0/3 I", "in: A:9 B:0/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", {EnterNumber}, 2},
        {"0 I 0/3", "in: A:0 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+",
         {"16:投球回数が０なのでもし自責点があると防御率は無限大です。"}, 1},
        {"00 I 0/3 2/3 1 I", "in: A:00 B:2/3 C:1 D:13.50 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-",
         {"16:投球回数が０なのでもし自責点があると防御率は無限大です。"}, 3},
    };
    for (const auto &r : rows) {
        for (bool sound : {true, false}) {
            QTest::addRow("%s (sound %s)", r.script, sound ? "on" : "off")
                << QString::fromLatin1(r.script) << sound << r.state << r.messages
                << (sound ? r.cues : 0);
        }
    }
}

void TestStats::steps()
{
    QFETCH(QString, script);
    QFETCH(bool, sound);
    QFETCH(QString, state);
    QFETCH(QStringList, messages);
    QFETCH(int, cues);

    w->nmuSound->setChecked(sound);
    run(*w, script);
    QCOMPARE(panelState(*w), state);
    QStringList shown;
    for (const Message &m : rec->messages) {
        shown << QString::number(m.style) + QLatin1Char(':') + m.text;
        QCOMPARE(m.title, QStringLiteral("Kavlo"));
        QCOMPARE(m.owner, w.get());
    }
    QCOMPARE(shown, messages);
    QCOMPARE(rec->count(Cue::Function), cues);
    QCOMPARE(rec->cues.size(), cues + (sound ? int(rec->count(Cue::Digit)) : 0));
    QVERIFY(sound || rec->cues.isEmpty());
}

QTEST_MAIN(TestStats)
#include "tst_stats.moc"
