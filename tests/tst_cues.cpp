// The real cue player against private PulseAudio servers with a null sink: a
// cue that sounds is a playback that the server sees start ("new" on a sink
// input) and end ("remove").
#include "support.h"

#include "window/mainwindow.h"
#include "desktop/cues.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// What a sound server saw, through pactl subscribe: "+12" as sink input 12
// started, "-12" as it ended, in order. The null sink ends a playback about
// two seconds after its last sample, so most tests wait for starts alone.
class Playbacks
{
public:
    ~Playbacks()
    {
        m_pactl.kill();
        m_pactl.waitForFinished();
    }
    bool listen(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        m_pactl.setProcessEnvironment(env);
        m_pactl.start(QStringLiteral("pactl"), {QStringLiteral("subscribe")});
        QTest::qWait(300);  // it prints nothing until the first event
        return m_pactl.state() == QProcess::Running;
    }
    QStringList events()
    {
        static const QRegularExpression event(QStringLiteral("Event '(new|remove)' on sink-input #(\\d+)\n"));
        m_text += QString::fromLatin1(m_pactl.readAllStandardOutput());
        for (auto m = event.match(m_text); m.hasMatch(); m = event.match(m_text)) {
            // The end of a playback that started before the last clear() is not one of these.
            if (m.captured(1) == QLatin1String("new"))
                m_events << '+' + m.captured(2);
            else if (m_events.contains('+' + m.captured(2)))
                m_events << '-' + m.captured(2);
            m_text.remove(0, m.capturedEnd());
        }
        return m_events;
    }
    int started() { return int(events().filter(QStringLiteral("+")).size()); }
    // The most that sounded at once, and how many sound now.
    int mostAtOnce() { return sounding(true); }
    int sounding(bool most = false)
    {
        int now = 0, highest = 0;
        for (const QString &e : events())
            highest = qMax(highest, now += e.startsWith('+') ? 1 : -1);
        return most ? highest : now;
    }
    void clear()
    {
        events();
        m_events.clear();
    }

private:
    QProcess m_pactl;
    QString m_text;
    QStringList m_events;
};

// Has the cue player of a program of its own (cue_run) do one thing, and
// waits until its call has returned.
bool ask(QProcess &player, const char *what)
{
    player.write(QByteArray(what) + '\n');
    while (!player.canReadLine()) {
        if (!player.waitForReadyRead(5000))
            return false;
    }
    return player.readLine() == "done\n";
}

// A second of silence for every second asked, 16-bit mono at 8 kHz.
QByteArray wav(int seconds)
{
    const quint32 dataSize = quint32(seconds) * 8000 * 2;
    QByteArray header("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1f\0\0\x80\x3e\0\0\2\0\x10\0data....", 44);
    qToLittleEndian(dataSize + 36, header.data() + 4);
    qToLittleEndian(dataSize, header.data() + 40);
    return header + QByteArray(int(dataSize), '\0');
}

QString resFile(const char *name)
{
    return QStringLiteral(KAVLO_RES_DIR "/") + QLatin1String(name);
}

}  // namespace

class TestCues : public QObject
{
    Q_OBJECT

    Playbacks server;  // the one the test command started
    MainWindow *w = nullptr;

    QString wavPath(const char *name) const { return QApplication::applicationDirPath() + '/' + name; }

private slots:
    void initTestCase();
    void cleanupTestCase() { delete w; }
    void init();

    void firstCuePlays();
    void soundOffMakesNoStream();
    void newCueCutsOffTheOldOne();
    void everyCueOfALongRunPlays();
    void brokenFilesStaySilent_data();
    void brokenFilesStaySilent();
    void serverGoesAwayAndComesBack();
};

void TestCues::initTestCase()
{
    prepareApplication();
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        QSKIP("PULSE_SERVER does not name a private sound server; the test command starts one");
    // This program's directory is its own. Its function cue lasts three
    // seconds, so that a cue cut off ends long before it would have.
    QFile::remove(wavPath("kavlo1.wav"));
    QVERIFY(QFile::copy(resFile("kavlo1.wav"), wavPath("kavlo1.wav")));
    QFile function(wavPath("kavlo2.wav"));
    QVERIFY(function.open(QIODevice::WriteOnly | QIODevice::Truncate));
    function.write(wav(3));
    function.close();
    QVERIFY2(server.listen(), "pactl cannot reach the sound server");
    w = new MainWindow;
    w->show();
}

void TestCues::init()
{
    action(*w, "nmuSound")->setChecked(true);
    w->clearEntryPressed();
    server.clear();
}

void TestCues::firstCuePlays()
{
    // The very first cue of the process, keyed before the window readies the cues.
    QElapsedTimer t;
    t.start();
    play(*w, QStringLiteral("1"));
    const qint64 clickMs = t.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(server.started(), 1, 5000);
    QVERIFY2(clickMs < 250, qPrintable(QStringLiteral("the first cue held the keypad for %1 ms").arg(clickMs)));
}

void TestCues::soundOffMakesNoStream()
{
    action(*w, "nmuSound")->trigger();
    play(*w, QStringLiteral("2"));
    QTest::qWait(500);
    QCOMPARE(label(*w, "lblInput")->text(), QStringLiteral("2"));
    QCOMPARE(server.started(), 0);

    action(*w, "nmuSound")->trigger();
    play(*w, QStringLiteral("3"));
    QTRY_COMPARE_WITH_TIMEOUT(server.started(), 1, 5000);
}

void TestCues::newCueCutsOffTheOldOne()
{
    Cues::play(Cue::Function);
    QTRY_COMPARE_WITH_TIMEOUT(server.started(), 1, 3000);
    const QString function = server.events().constFirst().mid(1);
    Cues::play(Cue::Digit);
    // The function cue ends at once, well before its three seconds, and only then the digit cue starts.
    QTRY_COMPARE_WITH_TIMEOUT(server.events().size(), 3, 2000);
    QCOMPARE(server.events().mid(0, 2), QStringList({'+' + function, '-' + function}));
    QVERIFY(server.events().constLast().startsWith('+'));

    // Faster than the server answers: still one at a time, one sounding at the end.
    server.clear();
    for (int i = 0; i < 5; ++i)
        Cues::play(Cue::Function);
    Cues::play(Cue::Digit);
    QTRY_VERIFY_WITH_TIMEOUT(server.started() > 0, 2000);
    QTest::qWait(300);
    QCOMPARE(server.mostAtOnce(), 1);
    QCOMPARE(server.sounding(), 1);
}

void TestCues::everyCueOfALongRunPlays()
{
    // Each starts as soon as the one before has, and cuts it off.
    for (int i = 1; i <= 15; ++i) {
        Cues::play(Cue::Digit);
        QTRY_COMPARE_WITH_TIMEOUT(server.started(), i, 3000);
    }
    QCOMPARE(server.mostAtOnce(), 1);
}

// clang-format off
void TestCues::brokenFilesStaySilent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("present");
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("not a WAV") << QByteArray("hello, this is text\n") << true;
    QTest::newRow("header cut short") << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16) << true;
    QTest::newRow("no samples") << wav(0) << true;
}
// clang-format on

// Each file met by a player of its own, which has read no cue before; mended,
// the file plays at the next cue. The terminal hears of it once.
void TestCues::brokenFilesStaySilent()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, present);

    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(CUE_RUN), dir.filePath(QStringLiteral("cue_run"))));
    QVERIFY(QFile::copy(resFile("kavlo2.wav"), dir.filePath(QStringLiteral("kavlo2.wav"))));
    const QString digit = dir.filePath(QStringLiteral("kavlo1.wav"));
    if (present) {
        QFile f(digit);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QProcess player;
    player.start(dir.filePath(QStringLiteral("cue_run")), QStringList());
    QVERIFY(ask(player, "prepare"));
    QVERIFY(ask(player, "digit"));
    QVERIFY(ask(player, "digit"));
    QTest::qWait(500);
    QCOMPARE(server.started(), 0);

    QFile::remove(digit);
    QVERIFY(QFile::copy(resFile("kavlo1.wav"), digit));
    QVERIFY(ask(player, "digit"));
    QTRY_COMPARE_WITH_TIMEOUT(server.started(), 1, 3000);
    player.closeWriteChannel();
    QVERIFY(player.waitForFinished(5000));
    QCOMPARE(player.exitCode(), 0);
    const QStringList said = QString::fromLocal8Bit(player.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith(QStringLiteral("kavlo: cannot play the cue ") + digit), qPrintable(said[0]));
}

// A sound server of the test's own, stopped and started again under a player
// that stays: silence while it is away, cues again once it is back.
void TestCues::serverGoesAwayAndComesBack()
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + dir.filePath(QStringLiteral("pulse.sock")));
    auto startServer = [&](QProcess &pulse) {
        pulse.setProcessEnvironment(env);
        pulse.start(
            QStringLiteral("pulseaudio"),
            {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
             "module-null-sink sink_name=null", "-L",
             "module-native-protocol-unix socket=" + dir.filePath(QStringLiteral("pulse.sock")) + " auth-anonymous=1"});
        for (int i = 0; i < 100; ++i) {
            QProcess info;
            info.setProcessEnvironment(env);
            info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
            if (info.waitForFinished(5000) && info.exitCode() == 0)
                return true;
            QTest::qWait(100);
        }
        return false;
    };

    auto pulse = std::make_unique<QProcess>();
    QVERIFY(startServer(*pulse));
    auto own = std::make_unique<Playbacks>();
    QVERIFY(own->listen(env));
    QProcess player;
    player.setProcessEnvironment(env);
    player.start(QStringLiteral(CUE_RUN), QStringList());
    QVERIFY(ask(player, "digit"));
    QTRY_COMPARE_WITH_TIMEOUT(own->started(), 1, 3000);

    pulse->terminate();
    QVERIFY(pulse->waitForFinished(5000));
    QVERIFY(ask(player, "digit"));
    QVERIFY(ask(player, "function"));

    pulse = std::make_unique<QProcess>();
    QVERIFY(startServer(*pulse));
    own = std::make_unique<Playbacks>();
    QVERIFY(own->listen(env));
    QVERIFY(ask(player, "digit"));
    QTRY_COMPARE_WITH_TIMEOUT(own->started(), 1, 3000);

    player.closeWriteChannel();
    QVERIFY(player.waitForFinished(5000));
    QCOMPARE(player.exitCode(), 0);
    QCOMPARE(player.readAllStandardError(), QByteArray());
    pulse->terminate();
    pulse->waitForFinished(5000);
    QCOMPARE(server.started(), 0);
}

QTEST_MAIN(TestCues)
#include "tst_cues.moc"
