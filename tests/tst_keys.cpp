// The keyboard's mapping from a key event to what it asks of the panel, with
// no window: which keys act, on press or on release, held or not, and which
// are used up before they reach the control with the focus.
#include "window/keyboard.h"

#include <QKeyEvent>
#include <QTest>

Q_DECLARE_METATYPE(KeyAction)

char *toString(const KeyAction &a)
{
    return QTest::toString(
        QStringLiteral("kind %1, number %2%3").arg(int(a.kind)).arg(a.number).arg(a.usedUp ? ", used up" : ""));
}

class TestKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyAction_data();
    void keyAction();
};

// clang-format off
void TestKeys::keyAction_data()
{
    using K = KeyAction::Kind;
    QTest::addColumn<bool>("release");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("thirdsAwaited");
    QTest::addColumn<KeyAction>("action");

    const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier, keypad = Qt::KeypadModifier;
    const struct {
        const char *name;
        bool release;
        int key, modifiers;
        const char *text;
        bool repeat, thirds;
        KeyAction action;
    } rows[] = {
        {"digit", false, Qt::Key_7, 0, "7", false, false, {K::Digit, 7, false}},
        {"held digit repeats", false, Qt::Key_7, 0, "7", true, false, {K::Digit, 7, false}},
        {"keypad digit", false, Qt::Key_0, keypad, "0", false, false, {K::Digit, 0, false}},
        {"full-width digit", false, Qt::Key_unknown, 0, "５", false, false, {}},
        {"letter", false, Qt::Key_A, 0, "a", false, false, {}},
        {"Alt chord types nothing", false, Qt::Key_5, alt, "5", false, false, {}},
        {"digit awaiting thirds", false, Qt::Key_5, 0, "5", false, true, {K::None, 0, true}},
        {"letter awaiting thirds", false, Qt::Key_X, 0, "x", false, true, {K::None, 0, true}},
        {"Space awaiting thirds", false, Qt::Key_Space, 0, " ", false, true, {}},
        {"F6 released", true, Qt::Key_F6, 0, "", false, true, {K::Thirds, 1, false}},
        {"Ctrl+F7 released", true, Qt::Key_F7, ctrl, "", false, true, {K::Thirds, 2, false}},
        {"F5 pressed", false, Qt::Key_F5, 0, "", false, true, {}},
        {"held F5 released", true, Qt::Key_F5, 0, "", true, true, {}},
        {"Backspace", false, Qt::Key_Backspace, 0, "\b", false, false, {K::Backspace, 0, true}},
        {"held Backspace", false, Qt::Key_Backspace, 0, "\b", true, true, {K::Backspace, 0, true}},
        {"Delete", false, Qt::Key_Delete, 0, "", false, false, {K::ClearEntry, 0, true}},
        {"held Delete", false, Qt::Key_Delete, 0, "", true, false, {K::None, 0, true}},
        {"Escape", false, Qt::Key_Escape, 0, "", false, true, {K::ClearAll, 0, true}},
        {"Return", false, Qt::Key_Return, 0, "\r", false, false, {K::Enter, 0, true}},
        {"keypad Enter", false, Qt::Key_Enter, keypad, "\r", false, false, {K::Enter, 0, true}},
        {"F1", false, Qt::Key_F1, 0, "", false, false, {K::Help, 0, true}},
        {"Ctrl+H", false, Qt::Key_H, ctrl, "\x08", false, false, {K::History, 0, true}},
        {"held Ctrl+Q", false, Qt::Key_Q, ctrl, "\x11", true, false, {K::None, 0, true}},
        {"Ctrl+Q", false, Qt::Key_Q, ctrl, "\x11", false, true, {K::Exit, 0, true}},
        {"Ctrl+C", false, Qt::Key_C, ctrl, "\x03", false, false, {K::Copy, 0, true}},
        {"Ctrl+Insert", false, Qt::Key_Insert, ctrl, "", false, false, {K::Copy, 0, true}},
        {"Ctrl+V awaiting thirds", false, Qt::Key_V, ctrl, "\x16", false, true, {K::Paste, 0, true}},
        {"Shift+Insert", false, Qt::Key_Insert, shift, "", false, false, {K::Paste, 0, true}},
        {"Ctrl+Shift+V", false, Qt::Key_V, ctrl | shift, "\x16", false, false, {}},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.release << r.key << r.modifiers << QString::fromUtf8(r.text) << r.repeat << r.thirds << r.action;
}
// clang-format on

void TestKeys::keyAction()
{
    QFETCH(bool, release);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, repeat);
    QFETCH(bool, thirdsAwaited);
    QFETCH(KeyAction, action);

    const QKeyEvent event(release ? QEvent::KeyRelease : QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text,
                          repeat);
    QCOMPARE(::keyAction(event, thirdsAwaited), action);
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
