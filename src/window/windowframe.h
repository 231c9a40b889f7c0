// What Kavlo's top-level windows do about the desktop beyond what Qt does for
// them: a window opened again comes back in front, and on a Wayland session
// each window has a title bar of Kavlo's own. Qt's own title bar there offers
// minimise and maximise to every window and cuts a short title off, and a
// maximised window that keeps a fixed size breaks the Wayland protocol, which
// ends the program.
#pragma once

class QWidget;

namespace WindowFrame {

// Called once as the window is built, before it is first shown. On Wayland it
// takes away Qt's title bar and gives the window Kavlo's: the icon, the whole
// title, minimise where the window's flags offer it, and close; the bar moves
// the window as it is dragged, and a window that can be resized takes its
// edges as handles. A window of fixed size goes back to its normal state
// whenever the compositor maximises it or makes it full screen. A window
// laid out by hand (with no layout) has its controls moved below the bar.
void frame(QWidget *window);

// Shows the window, brought back from minimised, in front and active.
void bringToFront(QWidget *window);

}  // namespace WindowFrame
