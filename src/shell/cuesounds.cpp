#include "cuesounds.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QWaveDecoder>

namespace {

size_t index(Module1::Cue cue)
{
    return cue == Module1::Cue::Digit ? 0 : 1;
}

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

} // namespace

CueSounds &CueSounds::instance()
{
    static CueSounds *sounds = new CueSounds(qApp);
    return *sounds;
}

void CueSounds::play(Module1::Cue cue, const QString &wavPath)
{
    if (!isPlayableWav(wavPath)) {
        QApplication::beep();
        return;
    }
    if (QMediaDevices::defaultAudioOutput().isNull())
        return;

    for (size_t i = 0; i < effects.size(); ++i) {
        pending[i] = false;
        if (effects[i])
            effects[i]->stop();
    }
    // Each cue gets its source afresh, and with it a new audio sink: Qt 6.4
    // shrinks a reused sink's buffer at every start until playback stalls.
    QSoundEffect *e = effectFor(cue);
    e->setSource(QUrl());
    e->setSource(QUrl::fromLocalFile(wavPath));
    if (e->status() == QSoundEffect::Ready) {
        e->play();
    } else {
        pending[index(cue)] = true;
    }
}

void CueSounds::prepare(Module1::Cue cue, const QString &wavPath)
{
    if (effect(cue) || !isPlayableWav(wavPath) || QMediaDevices::defaultAudioOutput().isNull())
        return;
    QSoundEffect *e = effectFor(cue);
    e->setSource(QUrl::fromLocalFile(wavPath));
    e->setSource(QUrl());
}

QSoundEffect *CueSounds::effect(Module1::Cue cue) const
{
    return effects[index(cue)];
}

QSoundEffect *CueSounds::effectFor(Module1::Cue cue)
{
    QSoundEffect *&e = effects[index(cue)];
    if (!e) {
        e = new QSoundEffect(this);
        connect(e, &QSoundEffect::statusChanged, this, [this, cue] { onStatusChanged(cue); });
    }
    return e;
}

void CueSounds::onStatusChanged(Module1::Cue cue)
{
    QSoundEffect *e = effect(cue);
    bool &wanted = pending[index(cue)];
    if (!wanted)
        return;
    if (e->status() == QSoundEffect::Ready) {
        wanted = false;
        e->play();
    } else if (e->status() == QSoundEffect::Error) {
        wanted = false;
        QApplication::beep();
    }
}
