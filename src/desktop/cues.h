// The program's sound cues: WAV files beside the program, played without
// waiting for them to end.
#pragma once

#include "core/cue.h"

#include <QString>

#include <functional>

namespace Cues {

// Starts the cue from the program's directory and returns at once; a cue cuts
// off the one still sounding.
void play(Cue cue);

// Readies both cues while the program is idle, so that the first cue does not
// wait for the sound server to be reached and its file to be loaded.
void prepare();

// The file a cue plays, found beside the program whatever the working directory.
QString path(Cue cue);

using Player = std::function<void(Cue cue, const QString &wavPath)>;

// Replaces the real player (tests record cues through it); an empty player
// puts the real one back.
void setPlayer(Player player);

}  // namespace Cues
