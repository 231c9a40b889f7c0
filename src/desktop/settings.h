// What the program keeps from one run to the next: the Sound switch and where
// the main window stands. Only this seam knows the store, its sections and
// its keys; on Linux it is the INI file ~/.config/KAVLO/KAVLO.conf.
#pragma once

#include <QPoint>

#include <optional>

namespace Settings {

struct Saved {
    bool sound = true;  // cues on, unless the store says False
    std::optional<QPoint> position;  // the frame's top-left corner, when one is stored whole
};

// Reads the store; a value it cannot read counts as absent.
Saved load();

// Writes what is given, the Sound switch, the position or both, in one
// atomic write; the store keeps what is not given. Where nothing can be
// written, says so on standard error.
void save(std::optional<bool> sound, std::optional<QPoint> position);

} // namespace Settings
