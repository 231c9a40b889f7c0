// What plays the cue files on this platform: the one part of the cues that
// each platform has a file of its own for, chosen by the build. Only Cues
// uses it.
#pragma once

#include <QStringList>

namespace CuePlayer {

// Starts the file's sound and returns at once; it cuts off the sound still
// playing. A file that cannot be played, or no way to play it, is silence.
void play(const QString &wavPath);

// Readies the files for playing, so that their first play needs no more work.
void prepare(const QStringList &wavPaths);

}  // namespace CuePlayer
