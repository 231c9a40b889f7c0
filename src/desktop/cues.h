// The program's sound cues: WAV files beside the program, played without
// waiting for them to end.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace Cues {

// Starts the cue file of that name from the program's directory and returns
// at once; a cue cuts off the one still sounding.
void play(const QString &fileName);

// Readies the files while the program is idle, so that the first cue does not
// wait for the sound server to be reached and its file to be loaded.
void prepare(const QStringList &fileNames);

using Player = std::function<void(const QString &wavPath)>;

// Replaces the real player (tests record cues through it); an empty player
// puts the real one back.
void setPlayer(Player player);

} // namespace Cues
