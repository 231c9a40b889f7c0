#include "clipboard.h"

#include "mainwindow.h"
#include "core/pasteddigits.h"
#include "desktop/alert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>

Clipboard::Clipboard(MainWindow *window) : QObject(window), m_window(window)
{}

// The menu copies what the display showed when it was opened. It is built
// afresh each time and shown without waiting, like every popup of the window.
void Clipboard::offerCopy(QLabel *display)
{
    display->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(display, &QWidget::customContextMenuRequested, this, [this, display](const QPoint &at) {
        const QString shown = display->text();
        auto *menu = new QMenu(m_window);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction *action = menu->addAction(QStringLiteral("コピー(&C)"), menu, [shown] { copy(shown); });
        action->setObjectName(QStringLiteral("nmuCopy"));
        action->setEnabled(!shown.isEmpty());
        menu->popup(display->mapToGlobal(at));
    });
}

void Clipboard::copy(const QString &shown)
{
    if (!shown.isEmpty())
        QGuiApplication::clipboard()->setText(shown);
}

void Clipboard::paste()
{
    const std::optional<QString> digits = pastedDigits(QGuiApplication::clipboard()->text());
    if (!digits) {
        soundAlert();
        return;
    }
    for (const QChar digit : *digits)
        m_window->digitPressed(digit.unicode() - u'0');
}
