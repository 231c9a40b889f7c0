// Every message of the program goes through MsgBox, so that tests can record
// the messages instead of showing them.
#pragma once

#include <QString>

#include <functional>

class QWidget;

enum MsgStyle { Plain = 0, Critical = 16, Exclamation = 48 };

// A modal box with one OK button, owned by owner. Returns when it is closed.
// A box given no title carries the application name.
void MsgBox(QWidget *owner, const QString &text, MsgStyle style, const QString &title = QString());

using MsgBoxHandler = std::function<void(QWidget *owner, const QString &text, MsgStyle style, const QString &title)>;

// Replaces the real message box; an empty handler puts the real one back.
void setMsgBoxHandler(MsgBoxHandler handler);
