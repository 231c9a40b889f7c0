// Who the program is: the names it goes by on screen and in the settings
// store, in one place.
#pragma once

namespace Identity {

inline constexpr char ProductName[] = "Kavlo";
inline constexpr char Version[] = "2.0";  // the build and the packages take it from here too
// The settings store keeps its values under this name, and a message box
// given no title of its own carries it.
inline constexpr char StoreName[] = "KAVLO";
// The title of the calculator's messages.
inline constexpr char MessageTitle[] = "Kavlo";

}  // namespace Identity
