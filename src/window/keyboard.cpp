#include "keyboard.h"

#include "mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcutEvent>

namespace {

using Kind = KeyAction::Kind;

constexpr int chord(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyCombination(modifiers, key).toCombined();
}

// The keys that stand for keys of the panel, items of the menus and the
// clipboard. A held key acts once, but for Backspace, which takes back a digit
// at every repeat as a held digit keys one, and the clipboard keys.
KeyAction commandKey(const QKeyEvent &key)
{
    const auto once = [&key](Kind kind) { return KeyAction{key.isAutoRepeat() ? Kind::None : kind, 0, true}; };
    switch (chord(Qt::Key(key.key()), key.modifiers() & ~Qt::KeypadModifier)) {
    case chord(Qt::Key_Backspace):
        return {Kind::Backspace, 0, true};
    case chord(Qt::Key_Delete):
        return once(Kind::ClearEntry);
    case chord(Qt::Key_Escape):
        return once(Kind::ClearAll);
    case chord(Qt::Key_Return):
    case chord(Qt::Key_Enter):
        return once(Kind::Enter);
    case chord(Qt::Key_F1):
        return once(Kind::Help);
    case chord(Qt::Key_H, Qt::ControlModifier):
        return once(Kind::History);
    case chord(Qt::Key_Q, Qt::ControlModifier):
        return once(Kind::Exit);
    case chord(Qt::Key_C, Qt::ControlModifier):
    case chord(Qt::Key_Insert, Qt::ControlModifier):
        return {Kind::Copy, 0, true};
    case chord(Qt::Key_V, Qt::ControlModifier):
    case chord(Qt::Key_Insert, Qt::ShiftModifier):
        return {Kind::Paste, 0, true};
    default:
        return {};
    }
}

}  // namespace

KeyAction keyAction(const QKeyEvent &key, bool thirdsAwaited)
{
    // F5, F6 and F7 choose 0/3, 1/3 and 2/3 when they are released, whatever
    // modifier is held.
    if (key.type() == QEvent::KeyRelease) {
        if (!key.isAutoRepeat() && key.key() >= Qt::Key_F5 && key.key() <= Qt::Key_F7)
            return {Kind::Thirds, key.key() - Qt::Key_F5, false};
        return {};
    }
    if (const KeyAction command = commandKey(key); command.usedUp)
        return command;
    // Typed characters: as on any desktop, a Ctrl or Alt chord types none.
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isPrint()
        || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return {};
    // While the thirds are awaited every typed character is used up, so that
    // it reaches no control; but Space stays with the focused key, which it
    // presses: there it is a key, not a character. Otherwise a digit goes into
    // the entry and on to the control, which ignores it.
    if (thirdsAwaited)
        return {Kind::None, 0, key.key() != Qt::Key_Space};
    if (text[0] >= u'0' && text[0] <= u'9')
        return {Kind::Digit, text[0].unicode() - u'0', false};
    return {};
}

Keyboard::Keyboard(MainWindow *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

bool Keyboard::eventFilter(QObject *watched, QEvent *event)
{
    // The focus frame marks where keys go; a key clicked with the mouse takes
    // the focus without it, until Tab moves the focus again.
    if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == m_window)
        m_window->setAttribute(Qt::WA_KeyboardFocusChange, false);
    if (event->type() == QEvent::Shortcut)
        return accessKeyPressed(watched, event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // Qt offers a key to the focus widget first and then to each parent that
    // ignores it; the application filter sees every one of those deliveries,
    // and keys meant for other windows (message boxes, the version dialog).
    // The menu bar, when Alt has given it the keyboard, keeps its keys too.
    QWidget *first = m_window->focusWidget() ? m_window->focusWidget() : m_window;
    if (watched != first || first->window() != m_window || first == m_window->menuBar())
        return false;
    const KeyAction action = keyAction(*static_cast<QKeyEvent *>(event), m_window->calculator().takesThirds());
    perform(action);
    return action.usedUp;
}

// Each key takes the way of the key or menu item it stands for.
void Keyboard::perform(const KeyAction &action)
{
    MainWindow &w = *m_window;
    switch (action.kind) {
    case Kind::None:
        break;
    case Kind::Digit:
        w.digitPressed(action.number);
        break;
    case Kind::Thirds:
        w.thirdsPressed(action.number);
        break;
    case Kind::Backspace:
        w.backspacePressed();
        break;
    case Kind::ClearEntry:
        w.clearEntryPressed();
        break;
    case Kind::ClearAll:
        w.clearAllPressed();
        break;
    case Kind::Enter:
        w.enterPressed();
        break;
    case Kind::Help:
        w.helpChosen(QStringLiteral("KAVLO.HTML"));
        break;
    case Kind::History:
        w.historyChosen();
        break;
    case Kind::Exit:
        w.exitChosen();
        break;
    case Kind::Copy:
        w.copyPressed();
        break;
    case Kind::Paste:
        w.pastePressed();
        break;
    }
}

// Qt clicks a button for its access key only after a 100 ms press animation,
// so that keys typed meanwhile would be taken first; the click comes at once
// here, and every key is taken in the order it was pressed.
bool Keyboard::accessKeyPressed(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(watched);
    const auto *shortcut = static_cast<QShortcutEvent *>(event);
    if (!button || button->window() != m_window || shortcut->isAmbiguous() || shortcut->key() != button->shortcut())
        return false;
    button->click();
    return true;
}
