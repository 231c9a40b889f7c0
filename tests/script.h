// The tests' one language for working the panel, read here into actions that
// a player performs: the window's on its keys and the keyboard, the
// calculator's test on the calculator alone. Tokens are separated by spaces:
//   a number       clicks its digit keys, one by one
//   D H W L I J    click a statistic key, named by the access letter of either of its captions
//   0/3 1/3 2/3    click a thirds key
//   C AC           click the clearing keys
//   p:X            presses key X as its access key does: no mouse, the focus stays
//   t:TEXT         types each character into the control with the focus
//   F5 F6 F7       typed function keys; S-F7, C-F7 with Shift or Ctrl
//   A-X            Alt with a letter
//   KP5 FW5 BS     a keypad digit, a full-width digit, Backspace
//   DEL ESC RET    Delete, Escape, Return; ENT the keypad's Enter
//   @name          moves the focus to the control of that object name
#pragma once

#include "core/statistics.h"

#include <QList>
#include <QString>

namespace Script {

struct Action {
    enum Kind { Click, Press, Type, Focus } kind;
    // Click and Press: the key, with its digit or thirds, or its statistic.
    enum class Key { Digit, Thirds, Statistic, ClearEntry, ClearAll } key = Key::Digit;
    int number = 0;
    const Statistic *statistic = nullptr;
    // Type: the key event; Focus: the control's name as text.
    Qt::Key code = Qt::Key_unknown;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

// A token the language does not know stops the test.
QList<Action> parse(const QString &script);

// The letter after '&' in a key's caption.
QChar accessLetter(const char *caption);

}  // namespace Script
