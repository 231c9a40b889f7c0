// The WAV reader against files made byte by byte: good ones of every kind of
// plain samples, and damaged ones, each refused with its reason.
#include "desktop/wavfile.h"

#include <QTest>
#include <QtEndian>

Q_DECLARE_METATYPE(WavSound::Encoding)

namespace {

template <typename T> QByteArray littleEndian(T v)
{
    QByteArray b(sizeof v, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
const auto le16 = littleEndian<quint16>;
const auto le32 = littleEndian<quint32>;

// A chunk as a file holds it: id, size, body and the pad byte of an odd body.
QByteArray chunk(const char *id, const QByteArray &body, quint32 size = 0)
{
    return id + le32(size ? size : quint32(body.size())) + body
        + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray &more = {})
{
    const quint16 frame = quint16(channels * bits / 8);
    return chunk("fmt ",
                 le16(tag) + le16(channels) + le32(rate) + le32(rate * frame) + le16(frame) + le16(bits) + more);
}

const QByteArray samples("0123456789abcdef");

}  // namespace

class TestWavFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

// clang-format off
void TestWavFile::read_data()
{
    using E = WavSound::Encoding;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    QTest::addColumn<E>("encoding");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("size");  // of the samples taken

    const QByteArray extensible = le16(22) + le16(16) + le32(4) + le16(1) + QByteArray(14, 'g');
    QTest::newRow("16-bit mono") << riff(fmt(1, 1, 22050, 16) + chunk("data", samples)) << "" << E::Signed16 << 22050 << 1 << 16;
    QTest::newRow("8-bit stereo") << riff(fmt(1, 2, 8000, 8) + chunk("data", samples)) << "" << E::Unsigned8 << 8000 << 2 << 16;
    QTest::newRow("24-bit, whole frames") << riff(fmt(1, 1, 48000, 24) + chunk("data", samples)) << "" << E::Signed24 << 48000 << 1 << 15;
    QTest::newRow("32-bit") << riff(fmt(1, 2, 44100, 32) + chunk("data", samples)) << "" << E::Signed32 << 44100 << 2 << 16;
    QTest::newRow("float") << riff(fmt(3, 1, 44100, 32) + chunk("data", samples)) << "" << E::Float32 << 44100 << 1 << 16;
    QTest::newRow("extensible") << riff(fmt(0xFFFE, 2, 44100, 16, extensible) + chunk("data", samples)) << "" << E::Signed16 << 44100 << 2 << 16;
    QTest::newRow("odd chunk padded") << riff(chunk("LIST", "abc") + fmt(1, 1, 8000, 16) + chunk("odd ", "x") + chunk("data", samples)) << "" << E::Signed16 << 8000 << 1 << 16;
    QTest::newRow("data cut short") << riff(fmt(1, 2, 8000, 16)) + chunk("data", samples.left(10), 100) << "" << E::Signed16 << 8000 << 2 << 8;

    QTest::newRow("empty") << QByteArray() << "not a WAV file" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("text") << QByteArray("hello, this is text\n") << "not a WAV file" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("RIFF, not WAVE") << QByteArray("RIFF\4\0\0\0AVI ", 12) << "not a WAV file" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("header alone") << riff({}) << "it has no format" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("format cut short") << riff(chunk("fmt ", "12345678")) << "its format is cut short" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("header cut short") << riff(fmt(1, 1, 8000, 16)).left(30) << "its format is cut short" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("ADPCM") << riff(fmt(2, 1, 8000, 4) + chunk("data", samples)) << "it holds no plain samples" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("12-bit") << riff(fmt(1, 1, 8000, 12) + chunk("data", samples)) << "it holds no plain samples" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("no channels") << riff(fmt(1, 0, 8000, 16) + chunk("data", samples)) << "it holds no plain samples" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("data before format") << riff(chunk("data", samples) + fmt(1, 1, 8000, 16)) << "its samples come before their format" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("no data") << riff(fmt(1, 1, 8000, 16)) << "it holds no samples" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("empty data") << riff(fmt(1, 1, 8000, 16) + chunk("data", {})) << "it holds no samples" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("less than a frame") << riff(fmt(1, 2, 8000, 16) + chunk("data", "abc")) << "it holds no samples" << E::Signed16 << 0 << 0 << 0;
    QTest::newRow("chunk past the end") << riff(fmt(1, 1, 8000, 16) + chunk("LIST", "ab", 0xFFFFFFFF) + chunk("data", samples)) << "it holds no samples" << E::Signed16 << 0 << 0 << 0;
}
// clang-format on

void TestWavFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(int, size);

    const WavSound sound = readWav(bytes);
    QCOMPARE(sound.error, error);
    QCOMPARE(int(sound.samples.size()), size);
    if (!error.isEmpty())
        return;
    QTEST(sound.encoding, "encoding");
    QTEST(sound.rate, "rate");
    QTEST(sound.channels, "channels");
    QCOMPARE(sound.samples, samples.left(sound.samples.size()));
}

QTEST_APPLESS_MAIN(TestWavFile)
#include "tst_wavfile.moc"
