#include "msgbox.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

MsgBoxHandler handler;

QMessageBox::Icon icon(MsgStyle style)
{
    switch (style) {
    case Critical:
        return QMessageBox::Critical;
    case Exclamation:
        return QMessageBox::Warning;
    case Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MsgBox(QWidget *owner, const QString &text, MsgStyle style, const QString &title)
{
    const QString shownTitle = title.isEmpty() ? QCoreApplication::applicationName() : title;
    if (handler) {
        handler(owner, text, style, shownTitle);
        return;
    }
    QMessageBox box(icon(style), shownTitle, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void setMsgBoxHandler(MsgBoxHandler h)
{
    handler = std::move(h);
}
