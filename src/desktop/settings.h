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

// Reads the store; a value it cannot read counts as absent.
Saved load();

// Writes the Sound switch and the position, when given, in one atomic write.
// A switch that this run never changed gives way to a readable one in the
// store, which another copy of the program may have written meanwhile. Where
// nothing can be written, says so on standard error.
void save(bool sound, bool soundChanged, std::optional<QPoint> position);

}  // namespace Settings
