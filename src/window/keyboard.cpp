// Keyboard control: the window sees each key before the control with the
// focus. Typed digits go into the entry, F5, F6 and F7 stand for the thirds
// keys, a key's access letter presses it at once, the keys every calculator
// takes stand for keys of the panel and items of the menus, and the clipboard
// keys copy and paste (clipboard.cpp).
#include "mainwindow.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcutEvent>

namespace {

constexpr int chord(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyCombination(modifiers, key).toCombined();
}

}  // namespace

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Shortcut)
        return accessKeyPressed(watched, event);
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // Qt offers a key to the focus widget first and then to each parent that
    // ignores it; the application filter sees every one of those deliveries,
    // and keys meant for other windows (message boxes, the version dialog).
    // The menu bar, when Alt has given it the keyboard, keeps its keys too.
    QWidget *first = focusWidget() ? focusWidget() : this;
    if (watched != first || first->window() != this || first == menuBar())
        return false;

    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyRelease) {
        if (!key->isAutoRepeat())
            keyReleased(key->key());
        return false;
    }
    if (clipboardKeyPressed(*key) || commandKeyPressed(*key))
        return true;
    // Typed characters: as on any desktop, a Ctrl or Alt chord types none.
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint()
        || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    // Space stays with the focused key, which it presses: there it is a key, not a character.
    return characterTyped(text[0]) && key->key() != Qt::Key_Space;
}

// While the thirds are awaited every typed character is used up, so that it
// reaches no control; otherwise a digit goes into the entry and on to the
// control, which ignores it.
bool MainWindow::characterTyped(QChar character)
{
    if (m_calculator.takesThirds())
        return true;
    if (character >= QLatin1Char('0') && character <= QLatin1Char('9'))
        digitPressed(character.unicode() - u'0');
    return false;
}

// Each key takes the way of the key or menu item it stands for. A held key
// acts once, but for Backspace, which takes back a digit at every repeat as a
// held digit keys one. Escape reaches the window only when no menu or message
// box has the keyboard; Enter never reaches the key with the focus.
bool MainWindow::commandKeyPressed(const QKeyEvent &key)
{
    const auto once = [&key](auto action) {
        if (!key.isAutoRepeat())
            action();
        return true;
    };
    switch (chord(Qt::Key(key.key()), key.modifiers() & ~Qt::KeypadModifier)) {
    case chord(Qt::Key_Backspace):
        backspacePressed();
        return true;
    case chord(Qt::Key_Delete):
        return once([this] { clearEntryPressed(); });
    case chord(Qt::Key_Escape):
        return once([this] { clearAllPressed(); });
    case chord(Qt::Key_Return):
    case chord(Qt::Key_Enter):
        return once([this] { enterPressed(); });
    case chord(Qt::Key_F1):
        return once([this] { helpChosen(QStringLiteral("KAVLO.HTML")); });
    case chord(Qt::Key_H, Qt::ControlModifier):
        return once([this] { historyChosen(); });
    case chord(Qt::Key_Q, Qt::ControlModifier):
        return once([this] { exitChosen(); });
    default:
        return false;
    }
}

// F5, F6 and F7 choose 0/3, 1/3 and 2/3 when they are released, whatever
// modifier is held.
void MainWindow::keyReleased(int key)
{
    if (key >= Qt::Key_F5 && key <= Qt::Key_F7)
        thirdsPressed(key - Qt::Key_F5);
}

// Qt clicks a button for its access key only after a 100 ms press animation,
// so that keys typed meanwhile would be taken first; the click comes at once
// here, and every key is taken in the order it was pressed.
bool MainWindow::accessKeyPressed(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(watched);
    const auto *shortcut = static_cast<QShortcutEvent *>(event);
    if (!button || button->window() != this || shortcut->isAmbiguous() || shortcut->key() != button->shortcut())
        return false;
    button->click();
    return true;
}
