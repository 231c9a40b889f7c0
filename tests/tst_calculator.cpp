// The rules of the computation, on the calculator alone, with no display:
// entry, the steps of each statistic with their refusals and cues, the
// results, and which keys each state offers.
#include "script.h"
#include "core/calculator.h"

#include <QTest>

namespace {

Outcome perform(Calculator &c, const Script::Action &a)
{
    using Key = Script::Action::Key;
    // Of the keyboard, Backspace takes back a digit; Enter and Return press the statistic key offered.
    if (a.kind == Script::Action::Type && a.code == Qt::Key_Backspace)
        return c.removeLastDigit();
    if (a.kind == Script::Action::Type && (a.code == Qt::Key_Return || a.code == Qt::Key_Enter))
        return c.offeredStatistic() ? c.pressStatistic(*c.offeredStatistic()) : Outcome();
    if (a.kind != Script::Action::Click && a.kind != Script::Action::Press)
        qFatal("the calculator has only keys, Backspace and Enter");
    switch (a.key) {
    case Key::Digit:
        return c.enterDigit(a.number);
    case Key::Thirds:
        return c.chooseThirds(a.number);
    case Key::Statistic:
        return c.pressStatistic(*a.statistic);
    case Key::ClearEntry:
        return c.clearEntry();
    case Key::ClearAll:
        break;
    }
    return c.clearAll();
}

// Plays a script (script.h) of keys on the calculator. Returns what they
// asked for: "d" and "f" for the digit and function cues, and the messages as
// "no entry: text" or "refused: text".
QStringList play(Calculator &c, const QString &script)
{
    QStringList asked;
    for (const Script::Action &a : Script::parse(script)) {
        const Outcome o = perform(c, a);
        if (o.message)
            asked << (o.message->kind == Message::Kind::NoEntry ? "no entry: " : "refused: ") + o.message->text;
        if (o.cue != Cue::None)
            asked << (o.cue == Cue::Digit ? "d" : "f");
    }
    return asked;
}

QString stepName(const Calculator &c)
{
    const char *steps[] = {"Ready", "AwaitingThirds", "AwaitingSecondFigure", "Done"};
    const QString step = QString::fromLatin1(steps[int(c.step())]);
    return c.statistic() ? QString::fromLatin1(c.statistic()->id) + QLatin1Char(' ') + step : step;
}

// The state in one line: step, then entry, first figure, thirds, second figure, result.
QString state(const Calculator &c)
{
    return QStringList{stepName(c), c.entry(), c.firstFigure(), c.thirds(), c.secondFigure(), c.result()}.join('|');
}

const QString EnterNumber = QStringLiteral("no entry: 入力画面に数字を入力して下さい。");
const QString HitsOverAtBats = QStringLiteral("refused: 打数より安打の数のほうが多いです。");
const QString ZeroInnings = QStringLiteral("refused: 投球回数が０なのでもし自責点があると防御率は無限大です。");

}  // namespace

class TestCalculator : public QObject
{
    Q_OBJECT

private slots:
    void entry_data();
    void entry();
    void steps_data();
    void steps();
    void results_data();
    void results();
    void keysOffered_data();
    void keysOffered();
};

// clang-format off
void TestCalculator::entry_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("asked");

    const QStringList d = {"d"};
    QTest::newRow("one zero") << "0" << "0" << d;
    QTest::newRow("leading zeros kept") << "007" << "007" << QStringList{"d", "d", "d"};
    QTest::newRow("five digits") << "99999" << "99999" << QStringList(5, "d");
    QTest::newRow("sixth refused silently") << "123456" << "12345" << QStringList(5, "d");
    QTest::newRow("and the seventh") << "1234567" << "12345" << QStringList(5, "d");
    QTest::newRow("C empties the entry") << "123 C 45" << "45" << QStringList(5, "d");
    QTest::newRow("C on nothing") << "C C" << "" << QStringList();
    // While the thirds are awaited digits are turned away; once a result is
    // shown they still go in, although the digit keys are locked.
    QTest::newRow("thirds awaited") << "9 I 5" << "" << QStringList{"d", "f"};
    QTest::newRow("after the result") << "10 D 3 D 123456" << "12345"
                                      << QStringList{"d", "d", "f", "d", "f", "d", "d", "d", "d", "d"};
    QTest::newRow("C after the result") << "10 D 3 D 42 C" << "" << QStringList{"d", "d", "f", "d", "f", "d", "d"};
    // Backspace takes back a digit silently, wherever a digit would go in.
    QTest::newRow("Backspace") << "123 BS" << "12" << QStringList(3, "d");
    QTest::newRow("Backspace to nothing and on") << "12 BS BS BS 3" << "3" << QStringList(3, "d");
    QTest::newRow("Backspace, then a sixth digit") << "12345 BS 67" << "12346" << QStringList(6, "d");
    QTest::newRow("Backspace awaiting thirds") << "9 I BS" << "" << QStringList{"d", "f"};
    QTest::newRow("Backspace awaiting hits") << "10 D 34 BS" << "3" << QStringList{"d", "d", "f", "d", "d"};
    QTest::newRow("Backspace after the result") << "10 D 3 D 42 BS" << "4"
                                                << QStringList{"d", "d", "f", "d", "f", "d", "d"};
}
// clang-format on

void TestCalculator::entry()
{
    QFETCH(QString, script);
    QFETCH(QString, entry);
    QFETCH(QStringList, asked);
    Calculator c;
    QCOMPARE(play(c, script), asked);
    QCOMPARE(c.entry(), entry);
}

// clang-format off
void TestCalculator::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("asked");  // by the script's last action

    const struct {
        const char *script, *state;
        QStringList asked;
    } rows[] = {
        // Batting average: at-bats D hits D.
        {"10 D", "battingAverage AwaitingSecondFigure||10|||", {"f"}},
        {"10 D 3 D", "battingAverage Done||10||3|0.300", {"f"}},
        {"D", "Ready|||||", {EnterNumber}},
        {"10 D D", "battingAverage AwaitingSecondFigure||10|||", {EnterNumber}},
        {"3 D 4 D", "battingAverage AwaitingSecondFigure||3|||", {HitsOverAtBats}},
        {"3 D 4 D 2 D", "battingAverage Done||3||2|0.667", {"f"}},
        {"0 D 1 D", "battingAverage AwaitingSecondFigure||0|||", {HitsOverAtBats}},
        {"00 D 0 D", "Ready|||||", {"refused: ０打数０安打は打率000です。"}},
        {"00 D 0 D 4 D 1 D", "battingAverage Done||4||1|0.250", {"f"}},
        {"10 D C", "battingAverage AwaitingSecondFigure||10|||", {}},
        {"10 D 3 D AC", "Ready|||||", {}},
        // Winning percentage: wins W losses W.
        {"3 W", "winningPercentage AwaitingSecondFigure||3|||", {"f"}},
        {"3 W 1 W", "winningPercentage Done||3||1|0.750", {"f"}},
        {"W", "Ready|||||", {EnterNumber}},
        {"3 W W", "winningPercentage AwaitingSecondFigure||3|||", {EnterNumber}},
        {"0 W 0 W", "Ready|||||", {"refused: ０勝０敗では勝率を計算できません。"}},
        {"00 W 000 W", "Ready|||||", {"refused: ０勝０敗では勝率を計算できません。"}},
        {"0 W 4 W", "winningPercentage Done||0||4|0.000", {"f"}},
        // Earned-run average: innings I thirds runs I.
        {"9 I", "earnedRunAverage AwaitingThirds||9|||", {"f"}},
        {"9 I C", "earnedRunAverage AwaitingThirds||9|||", {}},
        {"9 I 0/3", "earnedRunAverage AwaitingSecondFigure||9|0/3||", {"f"}},
        {"9 I 0/3 3 I", "earnedRunAverage Done||9|0/3|3|3.00", {"f"}},
        {"I", "Ready|||||", {EnterNumber}},
        {"9 I 0/3 I", "earnedRunAverage AwaitingSecondFigure||9|0/3||", {EnterNumber}},
        {"0 I 0/3", "earnedRunAverage AwaitingThirds||0|||", {ZeroInnings}},
        {"00000 I 0/3", "earnedRunAverage AwaitingThirds||00000|||", {ZeroInnings}},
        {"0 I 0/3 1/3", "earnedRunAverage AwaitingSecondFigure||0|1/3||", {"f"}},
        {"00 I 2/3", "earnedRunAverage AwaitingSecondFigure||00|2/3||", {"f"}},
        {"009 I 0/3", "earnedRunAverage AwaitingSecondFigure||009|0/3||", {"f"}},
        {"9 I 2/3 1/3", "earnedRunAverage AwaitingSecondFigure||9|2/3||", {}},
        {"9 I AC", "Ready|||||", {}},
        // Keys the state does not offer do nothing.
        {"10 D 5 W", "battingAverage AwaitingSecondFigure|5|10|||", {}},
        {"10 D 5 I", "battingAverage AwaitingSecondFigure|5|10|||", {}},
        {"10 D 3 D 5 D", "battingAverage Done|5|10||3|0.300", {}},
        {"3 W 1 W 5 W", "winningPercentage Done|5|3||1|0.750", {}},
        {"5 1/3", "Ready|5||||", {}},
        {"9 I 1/3 5 2/3", "earnedRunAverage AwaitingSecondFigure|5|9|1/3||", {}},
        {"9 I 9", "earnedRunAverage AwaitingThirds||9|||", {}},
        {"9 I D", "earnedRunAverage AwaitingThirds||9|||", {}},
        // Enter presses the statistic key that takes the second figure, and nothing else.
        {"10 RET", "Ready|10||||", {}},
        {"10 D 3 RET", "battingAverage Done||10||3|0.300", {"f"}},
        {"10 D RET", "battingAverage AwaitingSecondFigure||10|||", {EnterNumber}},
        {"3 D 4 RET", "battingAverage AwaitingSecondFigure||3|||", {HitsOverAtBats}},
        {"00 D 0 RET", "Ready|||||", {"refused: ０打数０安打は打率000です。"}},
        {"3 W 1 ENT", "winningPercentage Done||3||1|0.750", {"f"}},
        {"9 I RET", "earnedRunAverage AwaitingThirds||9|||", {}},
        {"9 I 1/3 2 ENT", "earnedRunAverage Done||9|1/3|2|1.93", {"f"}},
        {"10 D 3 D 4 RET", "battingAverage Done|4|10||3|0.300", {}},
    };
    for (const auto &r : rows)
        QTest::newRow(r.script) << QString::fromLatin1(r.script) << QString::fromUtf8(r.state) << r.asked;
}
// clang-format on

void TestCalculator::steps()
{
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(QStringList, asked);
    Calculator c;
    const qsizetype last = script.lastIndexOf(QLatin1Char(' ')) + 1;
    play(c, script.left(last));
    QCOMPARE(play(c, script.mid(last)), asked);
    QCOMPARE(::state(c), state);
}

// clang-format off
void TestCalculator::results_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("result");

    const struct {
        const char *script, *result;
    } rows[] = {
        // Batting average: at-bats D hits D.
        {"10 D 3 D", "0.300"}, {"3 D 1 D", "0.333"}, {"3 D 2 D", "0.667"}, {"16 D 1 D", "0.063"},
        {"16 D 3 D", "0.188"}, {"5 D 5 D", "1.000"}, {"5 D 0 D", "0.000"}, {"007 D 1 D", "0.143"},
        {"2000 D 247 D", "0.124"}, {"99999 D 99999 D", "1.000"}, {"99999 D 1 D", "0.000"},
        {"2000 D 573 D", "0.287"}, {"8639 D 7598 D", "0.879"},
        // Winning percentage: wins W losses W.
        {"3 W 1 W", "0.750"}, {"1 W 2 W", "0.333"}, {"2 W 1 W", "0.667"}, {"15 W 1 W", "0.938"},
        {"0 W 4 W", "0.000"}, {"5 W 0 W", "1.000"}, {"007 W 0 W", "1.000"}, {"1 W 99999 W", "0.000"},
        {"2 W 5 W", "0.286"}, {"5753 W 3386 W", "0.629"}, {"99999 W 1 W", "1.000"},
        // Earned-run average: innings I thirds runs I.
        {"9 I 0/3 3 I", "3.00"}, {"6 I 1/3 2 I", "2.84"}, {"8 I 2/3 3 I", "3.12"}, {"180 I 1/3 50 I", "2.50"},
        {"0 I 1/3 1 I", "27.00"}, {"0 I 2/3 1 I", "13.50"}, {"72 I 0/3 1 I", "0.13"}, {"7 I 2/3 0 I", "0.00"},
        {"1 I 0/3 99999 I", "899991.00"}, {"0 I 1/3 99999 I", "2699973.00"}, {"0 I 2/3 99999 I", "1349986.50"},
        {"009 I 0/3 3 I", "3.00"}, {"0 I 1/3 0 I", "0.00"}, {"4212 I 1/3 2277 I", "4.86"},
        {"7599 I 2/3 2529 I", "2.99"}, {"2 I 1/3 99999 I", "385710.43"}, {"99999 I 2/3 1 I", "0.00"},
    };
    for (const auto &r : rows)
        QTest::newRow(r.script) << QString::fromLatin1(r.script) << QString::fromLatin1(r.result);
}
// clang-format on

void TestCalculator::results()
{
    QFETCH(QString, script);
    QFETCH(QString, result);
    Calculator c;
    play(c, script);
    QCOMPARE(c.step(), Step::Done);
    QCOMPARE(c.result(), result);
}

// clang-format off
void TestCalculator::keysOffered_data()
{
    QTest::addColumn<QString>("script");
    // Digit keys, thirds, each statistic key by its first access letter, then the one Enter presses.
    QTest::addColumn<QString>("offered");

    QTest::newRow("Ready") << "" << "digits D W I";
    QTest::newRow("Ready with an entry") << "12" << "digits D W I";
    QTest::newRow("awaiting hits") << "10 D" << "digits D Enter:D";
    QTest::newRow("batting done") << "10 D 3 D" << "";
    QTest::newRow("awaiting losses") << "3 W" << "digits W Enter:W";
    QTest::newRow("winning done") << "3 W 1 W" << "";
    QTest::newRow("awaiting thirds") << "9 I" << "thirds";
    QTest::newRow("zero innings refused") << "0 I 0/3" << "thirds";
    QTest::newRow("awaiting earned runs") << "9 I 1/3" << "digits I Enter:I";
    QTest::newRow("ERA done") << "9 I 1/3 2 I" << "";
    QTest::newRow("back to Ready after 0 and 0") << "0 W 0 W" << "digits D W I";
}
// clang-format on

void TestCalculator::keysOffered()
{
    QFETCH(QString, script);
    QFETCH(QString, offered);
    Calculator c;
    play(c, script);
    QStringList keys;
    if (c.takesDigitKeys())
        keys << "digits";
    if (c.takesThirds())
        keys << "thirds";
    for (const Statistic &s : statistics) {
        if (c.takesStatistic(s))
            keys << Script::accessLetter(s.firstKey);
    }
    if (const Statistic *s = c.offeredStatistic())
        keys << QStringLiteral("Enter:") + Script::accessLetter(s->firstKey);
    QCOMPARE(keys.join(QLatin1Char(' ')), offered);
}

QTEST_APPLESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
