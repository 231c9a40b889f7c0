// Figures in and out through the desktop's clipboard: a display's context
// menu copies what it shows, and a pasted whole number is keyed digit by
// digit through the main window's digit action.
#pragma once

#include <QObject>

class MainWindow;
class QLabel;

class Clipboard : public QObject
{
public:
    explicit Clipboard(MainWindow *window);

    // Gives display a context menu whose コピー copies its figure exactly as shown.
    void offerCopy(QLabel *display);

    // Copies the text as shown; an empty one leaves the clipboard as it was.
    static void copy(const QString &shown);

    // Keys the clipboard's whole number of up to five digits, each as the
    // window takes a typed digit; anything else is refused as a whole, with
    // the desktop's alert and nothing keyed.
    void paste();

private:
    MainWindow *m_window;
};
