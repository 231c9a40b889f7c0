// What screen readers learn about the windows beyond what Qt's own interfaces
// tell them: the figure on each display as its text, the caption that labels
// each display, the function key of each thirds key, and that the version
// window is a dialog.
#pragma once

class MainWindow;
class QLabel;
class QString;
class QWidget;

namespace Accessibility {

// Describes the main window's displays and thirds keys; called once its
// controls exist.
void describePanel(MainWindow &window);

// Exposes a top-level window as a dialog.
void describeDialog(QWidget *window);

// Shows text on a display and, if that changed what it shows, tells
// assistive technology.
void showOnDisplay(QLabel *display, const QString &text);

} // namespace Accessibility
