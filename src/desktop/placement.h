// Where a top-level window stands: the top-left corner of its frame, as the
// window manager draws it, in the window's normal (restored) state, in pixels.
#pragma once

#include <QPoint>

#include <optional>

class QWidget;

// False where the window system does not let a program read or set the
// position of its own windows (a Wayland session).
bool canPlaceWindows();

// Called before the application starts: where the user has not chosen a Qt
// platform and both an X and a Wayland display are there, takes the X one,
// so that the saved window position works.
void preferPlaceableWindowSystem();

// Called once as the window is built, before it is first shown. The window
// opens with its frame's corner at frameTopLeft; with no corner, or one that
// would leave the frame touching no screen at all (on X, where the frame is
// known only once the window is shown, the inner window) or reaching beyond
// 32-bit coordinates, it opens where the window system puts it. From then on the
// window's corner is followed for savedPosition.
void restorePosition(QWidget *window, std::optional<QPoint> frameTopLeft);

// The corner to save: the frame's, in the normal state, as the window system
// last placed it; while the window is minimised or maximised, the corner it
// had before. Nothing where windows cannot be placed, or for a window that
// restorePosition was not given a corner for and that the window system has
// not placed yet.
std::optional<QPoint> savedPosition(const QWidget *window);
