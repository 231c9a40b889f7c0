// Figures in and out through the clipboard: Ctrl+C, Ctrl+Insert and each
// display's context menu copy what is shown; Ctrl+V and Shift+Insert key a
// pasted whole number digit by digit, as if it were typed.
#include "mainwindow.h"

#include "core/pasteddigits.h"
#include "desktop/alert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

namespace {

// Copies the text exactly as shown; an empty display leaves the clipboard as it was.
void copyShown(const QString &shown)
{
    if (!shown.isEmpty())
        QGuiApplication::clipboard()->setText(shown);
}

}  // namespace

void MainWindow::copyPressed()
{
    copyShown(m_calculator.result().isEmpty() ? m_calculator.entry() : m_calculator.result());
}

// Each digit takes the typed digit's way, so that every rule of the entry
// applies to it; anything but a whole number of up to five digits is refused
// as a whole, with nothing keyed.
void MainWindow::pastePressed()
{
    const std::optional<QString> digits = pastedDigits(QGuiApplication::clipboard()->text());
    if (!digits) {
        soundAlert();
        return;
    }
    for (const QChar digit : *digits)
        characterTyped(digit);
}

bool MainWindow::clipboardKeyPressed(const QKeyEvent &key)
{
    const QKeyCombination pressed(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key()));
    if (pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_C)
        || pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_Insert))
        copyPressed();
    else if (pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_V)
             || pressed == QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert))
        pastePressed();
    else
        return false;
    return true;
}

// The menu copies what the display showed when it was opened. It is built
// afresh each time and shown without waiting, like every popup of the window.
void MainWindow::createCopyMenus()
{
    for (QLabel *display :
         {m_entryDisplay, m_firstFigureDisplay, m_thirdsDisplay, m_secondFigureDisplay, m_resultDisplay}) {
        display->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(display, &QWidget::customContextMenuRequested, this, [this, display](const QPoint &at) {
            const QString shown = display->text();
            auto *menu = new QMenu(this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            QAction *copy = menu->addAction(QStringLiteral("コピー(&C)"), menu, [shown] { copyShown(shown); });
            copy->setObjectName(QStringLiteral("nmuCopy"));
            copy->setEnabled(!shown.isEmpty());
            menu->popup(display->mapToGlobal(at));
        });
    }
}
