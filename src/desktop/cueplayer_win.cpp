// The cues on Windows: PlaySoundW from winmm, asynchronous, by file name.
#include "cueplayer.h"

#include "wavfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <windows.h>
#include <mmsystem.h>

namespace CuePlayer {

namespace {

// PlaySoundW reports nothing once it plays in the background, so a file that
// is missing or not a WAV is told by its header here.
bool looksLikeWav(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && hasWavHeader(file.read(12));
}

}  // namespace

void play(const QString &wavPath)
{
    if (!looksLikeWav(wavPath)) {
        QApplication::beep();
        return;
    }
    // A new sound cuts off the one still playing. Without SND_NODEFAULT a file
    // that cannot be played would sound the system's default instead.
    const QString native = QDir::toNativeSeparators(wavPath);
    PlaySoundW(reinterpret_cast<const wchar_t *>(native.utf16()), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
}

// Nothing to ready: PlaySoundW reads the file when it plays it.
void prepare(const QStringList &)
{}

}  // namespace CuePlayer
