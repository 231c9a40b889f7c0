// The main window's controls as data: names, captions, twip rectangles and looks.
#pragma once

#include <QFont>
#include <QIcon>
#include <QHash>
#include <QRect>
#include <QString>

#include <vector>

namespace ControlTable {

enum class Kind { Label, Button, Picture };
enum class FontStyle { None, Display, Digit, Key, Caption, Heading, Button, Menu };
enum class Face { Standard, Orange, White };  // Orange and White are the sunken displays

// A rectangle in twips, from the top-left corner of the client area.
struct Twips {
    int left, top, width, height;
};

struct Control {
    const char *name;
    Kind kind;
    Twips rect;
    const char *caption = "";
    FontStyle font = FontStyle::None;
    Face face = Face::Standard;
    Qt::Alignment align = {};
    bool enabled = true;
    const char *role = nullptr;       // accessible name of a display; buttons take theirs from the caption
    int focus = 0;                    // place in the order of Tab, from 1; 0 for none
    const char *statistic = nullptr;  // id of the statistic that the key works
};

// Client area of the main window, in twips.
inline constexpr int ClientWidth = 3672;
inline constexpr int ClientHeight = 4104;

extern const std::vector<Control> controls;

// The window icon: the ball at the theme's sizes from 16 to 64 pixels.
QIcon applicationIcon();

// Twips are 1/1440 inch; this is the one place where they become pixels.
int twipsToPixels(int twips, int dpi);
QRect toPixels(const Control &c, int dpiX, int dpiY);

QFont font(FontStyle style);

// Creates the controls of a table on client, placed at the screen's DPI,
// styled and in their order of Tab; returns them by name.
QHash<QString, QWidget *> createControls(const Control *table, size_t count, QWidget *client);

}  // namespace ControlTable
