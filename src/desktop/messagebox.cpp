#include "messagebox.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

MessageHandler replacement;

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void showMessage(QWidget *owner, const QString &text, MessageIcon icon, const QString &title)
{
    const QString shownTitle = title.isEmpty() ? QCoreApplication::applicationName() : title;
    if (replacement) {
        replacement(owner, text, icon, shownTitle);
        return;
    }
    QMessageBox box(boxIcon(icon), shownTitle, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void setMessageHandler(MessageHandler handler)
{
    replacement = std::move(handler);
}
