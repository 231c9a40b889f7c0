// Keyboard control through real key events on the focused control: typed
// digits, F5 to F7, access keys, auto-repeat, and keys meant for a message
// box, the clipboard's too.
#include "support.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyleOption>
#include <QTest>

class TestKeyboard : public WindowTest
{
    Q_OBJECT

    QWidget *focused() const { return QApplication::focusWidget(); }

private slots:

    void keyTable_data();
    void keyTable();
    void swallowedCharactersReachNoControl();
    void messageBoxKeysStayThere_data();
    void messageBoxKeysStayThere();
    void menuBarKeysStayThere();
    void focusFrame_data();
    void focusFrame();
};

// clang-format off
void TestKeyboard::keyTable_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("digitCues");
    QTest::addColumn<int>("functionCues");
    QTest::addColumn<int>("messages");

    const char *ready = "in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-";
    const char *thirds = "in: A:9 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+";
    const struct {
        const char *name, *clicks, *typed, *state;
        int digitCues, functionCues, messages;
    } rows[] = {
        {"six typed digits", "", "t:123456", "in:12345 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", 5, 0, 0},
        {"keypad digits", "", "KP0 KP7", "in:07 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", 2, 0, 0},
        {"digits whatever has the focus", "", "@cmdAC t:1 @cmdCan t:1 @comJiseki t:1 @Picture1 t:1 @cmd9 t:1", "in:11111 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", 5, 0, 0},
        {"letters, Backspace, full width", "12", "t:a BS FW5 t:-+", "in:1 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", 2, 0, 0},
        {"function keys in Ready", "", "F5 F6 F7 S-F7", ready, 0, 0, 0},
        {"digit while thirds awaited", "9 I", "t:5", thirds, 1, 1, 0},
        {"F6 sets 1/3", "9 I", "F6", "in: A:9 B:1/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", 1, 2, 0},
        {"second function key ignored", "9 I", "F6 F7", "in: A:9 B:1/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", 1, 2, 0},
        {"Shift+F7", "9 I", "S-F7", "in: A:9 B:2/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", 1, 2, 0},
        {"F5 over zero innings, then F6", "0 I", "F5 F6", "in: A:0 B:1/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", 1, 2, 1},
        {"F5 over 9 innings", "9 I", "F5", "in: A:9 B:0/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", 1, 2, 0},
        {"function keys awaiting runs", "9 I 0/3", "F6 F7", "in: A:9 B:0/3 C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 自責点 (&J)+ | digits+ thirds-", 1, 2, 0},
        {"digits typed in Done", "10 D 3 D", "t:42", "in:42 A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", 5, 2, 0},
        {"Alt+C in Done", "10 D 3 D", "t:42 A-C", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", 5, 2, 0},
        {"batting by keyboard", "", "t:10 A-D t:3 A-H", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", 3, 2, 0},
        {"old access key gone", "", "t:10 A-D t:3 A-D", "in:3 A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", 3, 1, 0},
        {"disabled button's key", "", "t:10 A-D A-W A-I", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", 2, 1, 0},
        {"wins by keyboard", "", "t:3 A-W t:1 A-L", "in: A:3 B: C:1 D:0.750 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-", 2, 2, 0},
        {"ERA at full speed", "", "t:9 A-I F6 t:2 A-J", "in: A:9 B:1/3 C:2 D:1.93 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-", 2, 3, 0},
        {"ERA by keyboard", "", "t:9 A-I F5 t:3 A-J", "in: A:9 B:0/3 C:3 D:3.00 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-", 2, 3, 0},
        {"Alt+A while thirds awaited", "9 I", "t:5 A-A", ready, 1, 1, 0},
        {"Alt+C while thirds awaited", "9 I", "A-C", thirds, 1, 1, 0},
        {"empty entry by keyboard", "", "A-D", ready, 0, 0, 1},
        // Delete is C, Escape AC; Enter presses the statistic key offered, if one alone.
        {"Delete and Enter in Ready", "12", "DEL t:3 RET ENT", "in:3 A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-", 3, 0, 0},
        {"Escape in Ready", "12", "ESC", ready, 2, 0, 0},
        {"Delete, Backspace, Enter awaiting thirds", "9 I", "DEL BS RET", thirds, 1, 1, 0},
        {"Escape awaiting thirds", "9 I", "ESC", ready, 1, 1, 0},
        {"Delete awaiting hits", "10 D 3", "DEL t:4 BS", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", 4, 1, 0},
        {"Enter awaiting hits", "10 D 3", "RET", "in: A:10 B: C:3 D:0.300 | 打数//安打/打率 | 安打 (&H)- 勝 (&W)- 回 (&I)- | digits- thirds-", 3, 2, 0},
        {"Enter on no hits", "10 D", "RET", "in: A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-", 2, 1, 1},
        {"keypad Enter awaiting runs", "9 I 1/3 2", "ENT", "in: A:9 B:1/3 C:2 D:1.93 | 投球回数/回と/自責点/防御率 | 打数 (&D)- 勝 (&W)- 自責点 (&J)- | digits- thirds-", 2, 3, 0},
        {"Backspace and Enter in Done", "3 W 1 W", "t:42 BS RET", "in:4 A:3 B: C:1 D:0.750 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-", 4, 2, 0},
        {"Delete in Done", "3 W 1 W", "t:4 DEL", "in: A:3 B: C:1 D:0.750 | 勝//敗/勝率 | 打数 (&D)- 敗 (&L)- 回 (&I)- | digits- thirds-", 3, 2, 0},
        {"Escape in Done", "3 W 1 W", "ESC", ready, 2, 2, 0},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.clicks) << QString::fromLatin1(r.typed) << QString::fromUtf8(r.state)
                              << r.digitCues << r.functionCues << r.messages;
}
// clang-format on

void TestKeyboard::keyTable()
{
    QFETCH(QString, clicks);
    QFETCH(QString, typed);
    QFETCH(QString, state);
    QFETCH(int, digitCues);
    QFETCH(int, functionCues);
    QFETCH(int, messages);

    play(*w, clicks);
    play(*w, typed);
    QCOMPARE(panel(*w), state);
    QCOMPARE(rec->count(Cue::Digit), digitCues);
    QCOMPARE(rec->count(Cue::Function), functionCues);
    QCOMPARE(rec->messages.size(), messages);
}

void TestKeyboard::swallowedCharactersReachNoControl()
{
    EventCounter presses(QEvent::KeyPress);  // that reach the control
    QPushButton *ac = key(*w, "cmdAC");
    ac->setFocus();
    ac->installEventFilter(&presses);
    QTest::keyClick(ac, '5');
    QCOMPARE(presses.count, 1);  // in Ready a digit enters and goes on to the control
    QCOMPARE(label(*w, "lblInput")->text(), QStringLiteral("5"));

    play(*w, QStringLiteral("I @cmdAC t:6x"));
    QCOMPARE(presses.count, 1);  // while the thirds are awaited every character is swallowed
    QTest::keyClick(ac, Qt::Key_Tab);
    QCOMPARE(focused(), label(*w, "Picture1"));  // but Tab still moves the focus
    QVERIFY(label(*w, "lblInput")->text().isEmpty());
    play(*w, QStringLiteral("@cmd13"));
    QTest::keyClick(focused(), Qt::Key_Space);  // and Space still presses the focused key
    QCOMPARE(label(*w, "lblB")->text(), QStringLiteral("1/3"));
}

// clang-format off
void TestKeyboard::messageBoxKeysStayThere_data()
{
    QTest::addColumn<QString>("script");  // whose last token opens the box
    QTest::addColumn<QString>("after");   // the panel once it is closed
    QTest::addColumn<int>("digitCues");
    QTest::newRow("zero innings by F5") << "0 I F5" << "in: A:0 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+" << 1;
    QTest::newRow("more hits than at-bats") << "3 D 5 H" << "in: A:3 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-" << 2;
}
// clang-format on

// While a box covers the panel, its keys are its own: none of them keys,
// clears, chooses thirds, pastes, copies or alerts.
void TestKeyboard::messageBoxKeysStayThere()
{
    QFETCH(QString, script);
    QFETCH(QString, after);
    QFETCH(int, digitCues);
    setMessageHandler({});  // the real box this time
    const qsizetype last = script.lastIndexOf(QLatin1Char(' ')) + 1;
    play(*w, script.left(last));
    const QString entry = label(*w, "lblInput")->text();
    int boxes = 0;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        ++boxes;
        QCOMPARE(box->parentWidget(), w.get());
        QCOMPARE(label(*w, "lblInput")->text(), entry);
        for (int key : {int('5'), int(Qt::Key_F6), int(Qt::Key_F5), int(Qt::Key_Delete), int(Qt::Key_Escape)})
            QTest::keyClick(box, Qt::Key(key));
        QGuiApplication::clipboard()->setText(QStringLiteral("77"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        box->accept();
    });
    play(*w, script.mid(last));
    QCOMPARE(boxes, 1);
    QCOMPARE(panel(*w), after);
    QCOMPARE(rec->count(Cue::Digit), digitCues);
    QCOMPARE(rec->alerts, 0);
    QVERIFY(entry.isEmpty() || QGuiApplication::clipboard()->text() != entry);
}

void TestKeyboard::menuBarKeysStayThere()
{
    play(*w, QStringLiteral("9 I"));
    QTest::keyClick(focused(), Qt::Key_Alt);  // Alt alone gives the menu bar the keyboard
    QTRY_COMPARE(focused(), static_cast<QWidget *>(w->menuBar()));
    QTest::keyClick(focused(), Qt::Key_F6);
    QTest::keyClick(focused(), '5');
    QTest::keyClick(focused(), Qt::Key_Escape);
    QCOMPARE(panel(*w),
             QStringLiteral("in: A:9 B: C: D: | 投球回数/回と// | 打数 (&D)- 勝 (&W)- 回 (&I)- | digits- thirds+"));
}

void TestKeyboard::focusFrame_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("framed");
    QTest::newRow("at start") << QString() << true;
    QTest::newRow("a key clicked") << QStringLiteral("2") << false;
}

// Styles draw the focus frame only once the window's focus has moved from the keyboard.
void TestKeyboard::focusFrame()
{
    QFETCH(QString, script);
    QFETCH(bool, framed);
    play(*w, script);
    QStyleOption option;
    option.initFrom(focused());
    QCOMPARE(option.state.testFlags(QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange), framed);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
