// The cues on Windows: PlaySoundW from winmm, asynchronous, by file name.
#include "cues.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <windows.h>
#include <mmsystem.h>

namespace Cues {

namespace {

Player replacement;

// PlaySoundW reports nothing once it plays in the background, so a file that
// is missing or not a WAV is told by its header here, as on Linux.
bool looksLikeWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.endsWith("WAVE");
}

}  // namespace

QString path(Cue cue)
{
    return QCoreApplication::applicationDirPath()
        + (cue == Cue::Digit ? QStringLiteral("/kavlo1.wav") : QStringLiteral("/kavlo2.wav"));
}

void play(Cue cue)
{
    if (cue == Cue::None)
        return;
    const QString wavPath = path(cue);
    if (replacement) {
        replacement(cue, wavPath);
        return;
    }
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
void prepare()
{}

void setPlayer(Player player)
{
    replacement = std::move(player);
}

}  // namespace Cues
