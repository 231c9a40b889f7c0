// Where a top-level window stands: the top-left corner of its frame in its
// normal (restored) state, in pixels.
#pragma once

#include <QRect>

class QWidget;

// False where the window system does not let a program read or set the
// position of its own windows (a Wayland session).
bool canPlaceWindows();

// Called before the application starts: where the user has not chosen a Qt
// platform and both an X and a Wayland display are there, takes the X one,
// so that the saved window position works.
void preferPlaceableWindowSystem();

QRect normalRect(const QWidget *window);
void setNormalRect(QWidget *window, const QRect &rect);
