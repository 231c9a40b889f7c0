// Keyboard control of the main window: it sees each key before the control
// with the focus. Typed digits go into the entry, F5, F6 and F7 stand for the
// thirds keys, a key's access letter presses it at once, and the keys every
// calculator takes stand for keys of the panel, items of the menus and the
// clipboard.
#pragma once

#include <QObject>

class MainWindow;
class QKeyEvent;

// What a key event asks of the panel, and whether the event is used up, so
// that it reaches no control.
struct KeyAction {
    enum class Kind {
        None,
        Digit,
        Thirds,
        Backspace,
        ClearEntry,
        ClearAll,
        Enter,
        Help,
        History,
        Exit,
        Copy,
        Paste
    } kind
        = Kind::None;
    int number = 0;  // the digit, or the thirds
    bool usedUp = false;
    bool operator==(const KeyAction &) const = default;
};

// The action of a key pressed or released, while the thirds are awaited or not.
KeyAction keyAction(const QKeyEvent &key, bool thirdsAwaited);

class Keyboard : public QObject
{
public:
    // Watches every key of the application from now on, acting on those meant for window.
    explicit Keyboard(MainWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool accessKeyPressed(QObject *watched, QEvent *event);
    void perform(const KeyAction &action);

    MainWindow *m_window;
};
