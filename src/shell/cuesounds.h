// Plays the cues through Qt Multimedia: one QSoundEffect per cue, created on
// first use, at most one cue sounding at a time.
#pragma once

#include "module1.h"

#include <QObject>

#include <array>

class QSoundEffect;

class CueSounds : public QObject
{
public:
    static CueSounds &instance();

    // Starts the cue and returns at once. A missing or unplayable file sounds
    // the desktop's alert instead; with no audio output at all nothing sounds.
    void play(Module1::Cue cue, const QString &wavPath);

    // Reaches the sound server and loads the cue once, without playing it,
    // unless the cue has been played already.
    void prepare(Module1::Cue cue, const QString &wavPath);

    // The cue's effect, or null before it is first prepared or played.
    QSoundEffect *effect(Module1::Cue cue) const;

private:
    using QObject::QObject;
    QSoundEffect *effectFor(Module1::Cue cue);
    void onStatusChanged(Module1::Cue cue);

    std::array<QSoundEffect *, 2> effects{};
    // A play asked for while the file is still loading; it starts once loaded.
    std::array<bool, 2> pending{};
};
