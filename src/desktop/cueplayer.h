// Plays cue files through Qt Multimedia: one QSoundEffect per file, created
// on first use, at most one cue sounding at a time. Only the desktop layer and
// its tests use it; the program plays cues through Cues.
#pragma once

#include <QHash>
#include <QObject>

#include <functional>

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

    // What tests and the benchmark watch: whether the file has been prepared
    // or played yet, whether it is sounding, and each start and end.
    bool isLoaded(const QString &wavPath) const { return m_effects.contains(wavPath); }
    bool isPlaying(const QString &wavPath) const;
    using PlayingWatcher = std::function<void(const QString &wavPath, bool playing)>;
    void setPlayingWatcher(PlayingWatcher watcher) { m_watcher = std::move(watcher); }

private:
    using QObject::QObject;
    QSoundEffect *effectFor(const QString &wavPath);
    void statusChanged(QSoundEffect *effect);

    QHash<QString, QSoundEffect *> m_effects;
    // A play asked for while its file was still loading; it starts once loaded.
    QSoundEffect *m_pending = nullptr;
    PlayingWatcher m_watcher;
};
