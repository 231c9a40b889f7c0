// Every message of the program goes through showMessage, so that tests can
// record the messages instead of showing them.
#pragma once

#include <QString>

#include <functional>

class QWidget;

enum class MessageIcon { None, Exclamation, Stop };

// A modal box with one OK button, owned by owner. Returns when it is closed.
// A box given no title carries the application name.
void showMessage(QWidget *owner, const QString &text, MessageIcon icon, const QString &title = QString());

using MessageHandler = std::function<void(QWidget *owner, const QString &text, MessageIcon icon, const QString &title)>;

// Replaces the real message box; an empty handler puts the real one back.
void setMessageHandler(MessageHandler handler);
