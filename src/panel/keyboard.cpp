// Keyboard control: typed digits go into the entry, and F5, F6, F7 stand for
// the thirds keys. The window sees each key before the control with the focus.
#include "kavlo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

namespace {

constexpr qint16 vbKeyF1 = 112;
constexpr qint16 vbKeyF5 = 116;
constexpr qint16 vbKeyF6 = 117;
constexpr qint16 vbKeyF7 = 118;

// The function keys as the window system numbers them; no other key code is looked at.
qint16 keyCode(int qtKey)
{
    return qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24 ? qint16(vbKeyF1 + (qtKey - Qt::Key_F1)) : 0;
}

} // namespace

bool kavlo::eventFilter(QObject *watched, QEvent *event)
{
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
            Form_KeyUp(keyCode(key->key()), key->modifiers());
        return false;
    }
    // Typed characters: as on any desktop, a Ctrl or Alt chord types none.
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    qint16 KeyAscii = static_cast<qint16>(text[0].unicode());
    Form_KeyPress(KeyAscii);
    // Space stays with the focused button, which it presses; it is a key there, not a character.
    return KeyAscii == 0 && key->key() != Qt::Key_Space;
}

void kavlo::Form_KeyPress(qint16 &KeyAscii)
{
    if (cmd03->isEnabled()) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii >= '0' && KeyAscii <= '9')
        AppendDigit(QChar(KeyAscii));
}

void kavlo::Form_KeyUp(qint16 KeyCode, Qt::KeyboardModifiers Shift)
{
    Q_UNUSED(Shift);
    if (!cmd03->isEnabled())
        return;
    if (KeyCode == vbKeyF5)
        SetThirds(QStringLiteral("0/3"));
    else if (KeyCode == vbKeyF6)
        SetThirds(QStringLiteral("1/3"));
    else if (KeyCode == vbKeyF7)
        SetThirds(QStringLiteral("2/3"));
}
