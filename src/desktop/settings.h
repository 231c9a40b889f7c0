// What the program keeps from one run to the next: the Sound switch and where
// the main window stands. Only this seam knows the store, its sections and
// its keys; on Linux it is the INI file ~/.config/KAVLO/KAVLO.conf.
#pragma once

#include <QPoint>

#include <optional>

namespace Settings {

struct Saved {
    bool sound = true;               // cues on, unless the store says False
    std::optional<QPoint> position;  // the frame's top-left corner, when one is stored whole
};

// Reads the store; a value it cannot read counts as absent, and so does a
// settings file that is not a regular file (a FIFO, a device).
Saved load();

// Writes the Sound switch the user has just switched, and remembers that
// this run switched it.
void saveSound(bool on);

// Writes the position, when given, and the Sound switch, in one atomic write.
// A switch that this run never changed gives way to a readable one in the
// store, which another copy of the program may have written meanwhile.
void saveOnExit(bool sound, std::optional<QPoint> position);

// Both saves say so on standard error where nothing can be written, and
// never replace a settings file that is not a regular file.

}  // namespace Settings
