#include "wavfile.h"

#include <QtEndian>

namespace {

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

WavSound refused(const char *reason)
{
    WavSound sound;
    sound.error = QString::fromLatin1(reason);
    return sound;
}

constexpr quint16 Pcm = 1;
constexpr quint16 Float = 3;
constexpr quint16 Extensible = 0xFFFE;  // the real format tag opens its sub-format

bool setEncoding(WavSound &sound, quint16 tag, quint16 bits)
{
    using E = WavSound::Encoding;
    if (tag == Float && bits == 32)
        sound.encoding = E::Float32;
    else if (tag == Pcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32))
        sound.encoding = bits == 8 ? E::Unsigned8 : bits == 16 ? E::Signed16 : bits == 24 ? E::Signed24 : E::Signed32;
    else
        return false;
    return true;
}

}  // namespace

bool hasWavHeader(const QByteArray &bytes)
{
    return bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE";
}

WavSound readWav(const QByteArray &bytes)
{
    if (!hasWavHeader(bytes))
        return refused("not a WAV file");
    WavSound sound;
    int frameSize = 0;
    // Chunks follow the header, each an id, a size and a body padded to an even length.
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(bytes, at + 4);
        const qsizetype body = at + 8;
        const qsizetype present = qMin<qsizetype>(size, bytes.size() - body);
        if (id == "fmt ") {
            if (present < 16)
                return refused("its format is cut short");
            quint16 tag = u16(bytes, body);
            if (tag == Extensible && present >= 26)
                tag = u16(bytes, body + 24);
            sound.channels = u16(bytes, body + 2);
            sound.rate = int(u32(bytes, body + 4));
            const quint16 bits = u16(bytes, body + 14);
            if (!setEncoding(sound, tag, bits) || sound.channels == 0 || sound.rate <= 0)
                return refused("it holds no plain samples");
            frameSize = sound.channels * bits / 8;
        } else if (id == "data") {
            if (!frameSize)
                return refused("its samples come before their format");
            // A file cut short keeps the whole frames it still has.
            sound.samples = bytes.mid(body, present - present % frameSize);
            if (sound.samples.isEmpty())
                return refused("it holds no samples");
            return sound;
        }
        at = body + qsizetype(size) + (size & 1);
    }
    return refused(frameSize ? "it holds no samples" : "it has no format");
}
