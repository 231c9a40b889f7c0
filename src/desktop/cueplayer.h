// Plays cue files through Qt Multimedia: one QSoundEffect per file, created
// on first use, at most one cue sounding at a time.
#pragma once

#include <QHash>
#include <QObject>

class QSoundEffect;

class CuePlayer : public QObject
{
public:
    static CuePlayer &instance();

    // Starts the cue and returns at once. A missing or unplayable file sounds
    // the desktop's alert instead; with no audio output at all nothing sounds.
    void play(const QString &wavPath);

    // Reaches the sound server and loads the file once, without playing it,
    // unless it has been played already.
    void prepare(const QString &wavPath);

    // The file's effect, or null before it is first prepared or played.
    QSoundEffect *effect(const QString &wavPath) const { return m_effects.value(wavPath); }

private:
    using QObject::QObject;
    QSoundEffect *effectFor(const QString &wavPath);
    void statusChanged(QSoundEffect *effect);

    QHash<QString, QSoundEffect *> m_effects;
    // A play asked for while its file was still loading; it starts once loaded.
    QSoundEffect *m_pending = nullptr;
};
