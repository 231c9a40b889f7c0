// Real keyboard input through the X server (xdotool), as fast as a quick
// typist and faster: every key is taken at once and in the order it was
// pressed, access keys included.
#include "support.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestXInput : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keysInOrder_data();
    void keysInOrder();
};

void TestXInput::initTestCase()
{
    prepareApplication();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs xdotool; the test command installs it");
}

// clang-format off
void TestXInput::keysInOrder_data()
{
    QTest::addColumn<QString>("keys");  // xdotool key names
    QTest::addColumn<int>("delay");     // ms between keys; 0 queues them all before any is handled
    QTest::addColumn<QString>("panel");

    const struct {
        const char *name, *keys, *panel;
    } rows[] = {
        {"batting", "1 0 alt+d 3 alt+h", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-"},
        {"a disabled key's access key", "1 0 alt+d alt+w 4",
         "in:4 A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-"},
        {"winning", "3 alt+w 1 alt+l", "in: A:3 B: C:1 D:0.750 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-"},
        {"ERA with F6", "1 8 0 alt+i F6 5 0 alt+j",
         "in: A:180 B:1/3 C:50 D:2.50 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-"},
        {"digits while the thirds are awaited", "9 alt+i 5 F7 2",
         "in:2 A:9 B:2/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-"},
        {"all clear, then a new figure", "1 0 alt+d 3 alt+h alt+a 7 alt+w",
         "in: A:7 B: C: D: | 勝/// | 打数 (&D)- 敗 (&L)+ 回 (&I)- | digits+ thirds-"},
        {"Backspace and Enter", "1 2 3 BackSpace alt+d 3 BackSpace 2 Return",
         "in: A:12 B: C:2 D:0.167 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-"},
        {"Escape, Delete and the keypad's Enter", "9 alt+i F6 Escape 5 Delete 4 alt+w 1 KP_Enter",
         "in: A:4 B: C:1 D:0.800 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-"},
    };
    for (const auto &r : rows) {
        for (int delay : {30, 0})
            QTest::addRow("%s, %d ms", r.name, delay) << QString::fromLatin1(r.keys) << delay << QString::fromUtf8(r.panel);
    }
}
// clang-format on

void TestXInput::keysInOrder()
{
    QFETCH(QString, keys);
    QFETCH(int, delay);
    QFETCH(QString, panel);

    QProcess xdotool;
    xdotool.setProgram(QStringLiteral("xdotool"));
    xdotool.setArguments(QStringList{"key", "--clearmodifiers", "--delay", QString::number(delay)}
                         + keys.split(QLatin1Char(' ')));
    if (delay == 0) {
        // The window handles nothing until every key has reached the X server.
        xdotool.start();
        QVERIFY(xdotool.waitForFinished(10000));
    } else {
        xdotool.start();
        QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 10000);
    }
    QCOMPARE(xdotool.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(::panel(*w), panel, 2000);
    QTest::qWait(200);  // and nothing arrives late to change it
    QCOMPARE(::panel(*w), panel);
    QVERIFY(rec->messages.isEmpty());
}

QTEST_MAIN(TestXInput)
#include "tst_xinput.moc"
