// The cues on Windows: PlaySoundW from winmm, asynchronous, from memory. Each
// file is read once and kept, so that its path, which PlaySoundW would take
// only up to 256 characters long, is never handed to winmm.
#include "cueplayer.h"

#include "wavfile.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QtEndian>

#include <windows.h>
#include <mmsystem.h>

namespace CuePlayer {

namespace {

template <typename T> void appendLittleEndian(QByteArray &bytes, T value)
{
    char le[sizeof value];
    qToLittleEndian(value, le);
    bytes.append(le, sizeof le);
}

quint16 bitsPerSample(WavSound::Encoding encoding)
{
    switch (encoding) {
    case WavSound::Encoding::Unsigned8:
        return 8;
    case WavSound::Encoding::Signed16:
        return 16;
    case WavSound::Encoding::Signed24:
        return 24;
    case WavSound::Encoding::Signed32:
    case WavSound::Encoding::Float32:
        return 32;
    }
    return 0;
}

// The sound as a WAV of a format chunk and a data chunk whose sizes hold:
// PlaySoundW believes the sizes a WAV in memory gives, and would read past
// the end of a file that is cut short or claims too much.
QByteArray wavImage(const WavSound &sound)
{
    const quint16 bits = bitsPerSample(sound.encoding);
    const auto frame = quint16(sound.channels * bits / 8);
    const auto size = quint32(sound.samples.size());
    QByteArray image("RIFF");
    appendLittleEndian<quint32>(image, 36 + size + (size & 1));
    image.append("WAVEfmt ");
    appendLittleEndian<quint32>(image, 16);
    appendLittleEndian<quint16>(image, sound.encoding == WavSound::Encoding::Float32 ? 3 : 1);
    appendLittleEndian<quint16>(image, quint16(sound.channels));
    appendLittleEndian<quint32>(image, quint32(sound.rate));
    appendLittleEndian<quint32>(image, quint32(sound.rate) * frame);
    appendLittleEndian<quint16>(image, frame);
    appendLittleEndian<quint16>(image, bits);
    image.append("data");
    appendLittleEndian<quint32>(image, size);
    image.append(sound.samples);
    if (size & 1)
        image.append('\0');
    return image;
}

// The cues as read, by path. A file that could not be read is tried afresh
// each time it is asked for.
class Images
{
public:
    // A sound still playing plays from one of the images: it ends first.
    ~Images() { PlaySoundW(nullptr, nullptr, 0); }

    const QByteArray &image(const QString &path)
    {
        QByteArray &image = m_images[path];
        if (image.isEmpty()) {
            QFile file(path);
            const WavSound sound = file.open(QIODevice::ReadOnly) ? readWav(file.readAll()) : WavSound{};
            if (!sound.samples.isEmpty())
                image = wavImage(sound);
        }
        return image;
    }

private:
    QHash<QString, QByteArray> m_images;
};

Images &images()
{
    static Images kept;
    return kept;
}

}  // namespace

void play(const QString &wavPath)
{
    // PlaySoundW reports nothing once it plays in the background, so a file
    // that is missing or not a WAV is told here.
    const QByteArray &image = images().image(wavPath);
    if (image.isEmpty()) {
        QApplication::beep();
        return;
    }
    // A new sound cuts off the one still playing. Without SND_NODEFAULT a
    // sound that cannot be played would sound the system's default instead.
    PlaySoundW(reinterpret_cast<const wchar_t *>(image.constData()), nullptr, SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
}

void prepare(const QStringList &wavPaths)
{
    for (const QString &path : wavPaths)
        images().image(path);
}

}  // namespace CuePlayer
