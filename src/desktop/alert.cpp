#include "alert.h"

#include <QApplication>

namespace {

std::function<void()> replacement;

}  // namespace

void soundAlert()
{
    if (replacement)
        replacement();
    else
        QApplication::beep();
}

void setAlertHandler(std::function<void()> handler)
{
    replacement = std::move(handler);
}
