// The sound in a WAV file's bytes: its samples and their format, read without
// trusting the file. Bytes that are not a WAV, are damaged or hold a kind of
// sound other than plain samples are refused, with the reason.
#pragma once

#include <QByteArray>
#include <QString>

struct WavSound {
    enum class Encoding { Unsigned8, Signed16, Signed24, Signed32, Float32 };  // little-endian, as in the file

    Encoding encoding = Encoding::Signed16;
    int rate = 0;
    int channels = 0;
    QByteArray samples;  // whole frames only
    QString error;       // why the bytes hold no sound; empty when they do
};

WavSound readWav(const QByteArray &bytes);

// Whether the bytes begin as every WAV file does: "RIFF", a size, "WAVE".
bool hasWavHeader(const QByteArray &bytes);
