// What screen readers learn about the windows beyond what Qt's own interfaces
// tell them: the figure on each display as its text, the caption that labels
// each display, the function key of each thirds key, that the version
// window is a dialog and that the history window is a window.
#pragma once

class QKeySequence;
class QLabel;
class QPushButton;
class QString;
class QWidget;

namespace Accessibility {

// A display offers its figure as its text and value, labelled by its caption.
void describeDisplay(QLabel *caption, QLabel *display);

// A key that the window also takes through a function key, which names it.
void describeFunctionKey(QPushButton *key, const QKeySequence &functionKey);

// Exposes a top-level window as a dialog.
void describeDialog(QWidget *window);

// Exposes a top-level widget as a window, where Qt would name it a mere
// client area, as it does every plain widget.
void describeWindow(QWidget *window);

// Shows text on a display and, if that changed what it shows, tells
// assistive technology.
void showOnDisplay(QLabel *display, const QString &text);

}  // namespace Accessibility
