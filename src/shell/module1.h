// The two sound cues. Callers play a cue only while the Sound item is checked.
#pragma once

#include <QString>

#include <functional>

namespace Module1 {

enum class Cue { Digit, Function };

// Each starts its cue from the program's own directory and returns at once.
void PlayDigitSound();
void PlayFunctionSound();

// Readies the cues while the program is idle, so that the first one does not
// wait for the sound server to be reached and its file to be loaded.
void PrepareSounds();

using CuePlayer = std::function<void(Cue cue, const QString &wavPath)>;

// Replaces the real player (tests count cues through it); an empty player
// puts the real one back.
void setCuePlayer(CuePlayer player);

} // namespace Module1
