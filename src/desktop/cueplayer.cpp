#include "cueplayer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QWaveDecoder>

namespace {

// QSoundEffect waits forever on a file that is not a WAV, so the header is
// checked here first; it is a few dozen bytes.
bool isPlayableWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QWaveDecoder decoder(&file);
    return decoder.open(QIODevice::ReadOnly) && decoder.audioFormat().isValid() && decoder.size() > 0;
}

}  // namespace

CuePlayer &CuePlayer::instance()
{
    static CuePlayer *player = new CuePlayer(qApp);
    return *player;
}

void CuePlayer::play(const QString &wavPath)
{
    if (!isPlayableWav(wavPath)) {
        QApplication::beep();
        return;
    }
    if (QMediaDevices::defaultAudioOutput().isNull())
        return;

    m_pending = nullptr;
    for (QSoundEffect *e : std::as_const(m_effects))
        e->stop();
    // Each cue gets its source afresh, and with it a new audio sink: Qt 6.4
    // shrinks a reused sink's buffer at every start until playback stalls.
    QSoundEffect *e = effectFor(wavPath);
    e->setSource(QUrl());
    e->setSource(QUrl::fromLocalFile(wavPath));
    if (e->status() == QSoundEffect::Ready)
        e->play();
    else
        m_pending = e;
}

bool CuePlayer::isPlaying(const QString &wavPath) const
{
    const QSoundEffect *e = m_effects.value(wavPath);
    return e && e->isPlaying();
}

void CuePlayer::prepare(const QString &wavPath)
{
    if (isLoaded(wavPath) || !isPlayableWav(wavPath) || QMediaDevices::defaultAudioOutput().isNull())
        return;
    QSoundEffect *e = effectFor(wavPath);
    e->setSource(QUrl::fromLocalFile(wavPath));
    e->setSource(QUrl());
}

QSoundEffect *CuePlayer::effectFor(const QString &wavPath)
{
    QSoundEffect *&e = m_effects[wavPath];
    if (!e) {
        e = new QSoundEffect(this);
        QSoundEffect *created = e;
        connect(e, &QSoundEffect::statusChanged, this, [this, created] { statusChanged(created); });
        connect(e, &QSoundEffect::playingChanged, this, [this, created, wavPath] {
            if (m_watcher)
                m_watcher(wavPath, created->isPlaying());
        });
    }
    return e;
}

void CuePlayer::statusChanged(QSoundEffect *effect)
{
    if (effect != m_pending)
        return;
    if (effect->status() == QSoundEffect::Ready) {
        m_pending = nullptr;
        effect->play();
    } else if (effect->status() == QSoundEffect::Error) {
        m_pending = nullptr;
        QApplication::beep();
    }
}
