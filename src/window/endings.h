// Endings that do not come through the main window's close box or 終了: a
// logout, and the signals of a session, a shutdown or a terminal. The display
// server going away leaves no chance to save at all.
#pragma once

#include <QObject>

class MainWindow;

class Endings : public QObject
{
public:
    // Watches for them while window lives.
    explicit Endings(MainWindow *window);

private:
    void endRequested();

    MainWindow *m_window;
};
