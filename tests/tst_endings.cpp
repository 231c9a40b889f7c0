// Endings from outside the window, each taken by a real copy of the program:
// the signals of a session, a shutdown and a terminal, from the moment the
// program starts, and 終了 and SIGTERM on a Wayland display alone, where the
// position is neither applied nor saved.
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

class TestEndings : public QObject
{
    Q_OBJECT

    QTemporaryDir config;
    QString store() const { return config.path() + QStringLiteral("/KAVLO/KAVLO.conf"); }
    QString stored(const char *key) const
    {
        return QSettings(store(), QSettings::IniFormat).value(QLatin1String(key)).toString();
    }
    // Readies a copy of the program for the platform or Wayland display given,
    // with the signal ignored from the start, or all three blocked; startReady
    // starts one_run so, and returns what it says up to its ready line.
    void prepare(QProcess &program, const QString &platform, const QString &waylandDisplay, int ignored,
                 bool blocked = false);
    QByteArray startReady(QProcess &program, const QStringList &args, const QString &platform,
                          const QString &waylandDisplay = QString(), int ignored = 0);
    // Sends the signal, if any, and sees the program end normally with status 0.
    void end(QProcess &program, int signal);

private slots:
    void init();

    void signalsEndAsTheCloseBoxDoes_data();
    void signalsEndAsTheCloseBoxDoes();
    void signalsWhileStarting_data();
    void signalsWhileStarting();
    void nativeWayland_data();
    void nativeWayland();
};

void TestEndings::prepare(QProcess &program, const QString &platform, const QString &waylandDisplay, int ignored,
                          bool blocked)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"})
        env.remove(QLatin1String(name));
    if (!platform.isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!waylandDisplay.isEmpty()) {
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
        // Qt's Wayland platform and Mesa's EGL keep allocations of theirs to the end.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    }
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Whatever the test runner ignores would stay ignored in the program.
    program.setChildProcessModifier([ignored, blocked] {
        sigset_t three;
        sigemptyset(&three);
        for (int s : {SIGTERM, SIGHUP, SIGINT}) {
            std::signal(s, s == ignored ? SIG_IGN : SIG_DFL);
            sigaddset(&three, s);
        }
        if (blocked)
            sigprocmask(SIG_BLOCK, &three, nullptr);
    });
}

QByteArray TestEndings::startReady(QProcess &program, const QStringList &args, const QString &platform,
                                   const QString &waylandDisplay, int ignored)
{
    prepare(program, platform, waylandDisplay, ignored);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/one_run"), args);
    QByteArray said;
    while (program.waitForReadyRead(20000)) {
        said += program.readAll();
        if ((said.startsWith("ready ") || said.contains("\nready ")) && said.endsWith('\n'))
            break;
    }
    return said;
}

void TestEndings::end(QProcess &program, int signal)
{
    if (signal)
        QVERIFY(::kill(pid_t(program.processId()), signal) == 0);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void TestEndings::init()
{
    QVERIFY(config.isValid());
    QDir(config.path() + QStringLiteral("/KAVLO")).removeRecursively();
}

// clang-format off
void TestEndings::signalsEndAsTheCloseBoxDoes_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<int>("ignored");  // from the start, and sent first
    QTest::newRow("SIGTERM") << SIGTERM << QStringList() << 0;
    QTest::newRow("SIGHUP") << SIGHUP << QStringList() << 0;
    QTest::newRow("SIGINT") << SIGINT << QStringList() << 0;
    QTest::newRow("SIGTERM with a message box open") << SIGTERM << QStringList({"--message"}) << 0;
    QTest::newRow("SIGHUP with the version window open") << SIGHUP << QStringList({"--version-window"}) << 0;
    QTest::newRow("SIGINT with the history window open") << SIGINT << QStringList({"--history-window"}) << 0;
    // nohup ignores hang-ups for the program it starts, and they stay ignored.
    QTest::newRow("SIGHUP ignored, then SIGTERM") << SIGTERM << QStringList() << SIGHUP;
}
// clang-format on

void TestEndings::signalsEndAsTheCloseBoxDoes()
{
    QFETCH(int, signal);
    QFETCH(QStringList, opened);
    QFETCH(int, ignored);

    QProcess program;
    QCOMPARE(startReady(program, QStringList({"--sound", "off", "--move", "33", "44", "--wait"}) + opened,
                        QStringLiteral("offscreen"), QString(), ignored),
             QByteArray("sound on\nmoved no\nready offscreen\n"));
    if (ignored) {
        QVERIFY(::kill(pid_t(program.processId()), ignored) == 0);
        QVERIFY(!program.waitForFinished(500));
    }
    QVERIFY(!QFile::exists(store()));
    end(program, signal);
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
    QCOMPARE(stored("Startup/X"), QStringLiteral("33"));
    QCOMPARE(stored("Startup/Y"), QStringLiteral("44"));
}

// clang-format off
void TestEndings::signalsWhileStarting_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("after");  // milliseconds
    QTest::newRow("SIGTERM at once") << SIGTERM << 0;
    QTest::newRow("SIGTERM after 20 ms") << SIGTERM << 20;
    QTest::newRow("SIGHUP after 50 ms") << SIGHUP << 50;
    QTest::newRow("SIGINT after 100 ms") << SIGINT << 100;
}
// clang-format on

// The program itself, asked to end while it is still loading, building its
// window or showing it. Before its first line no program can take a signal:
// here one sent that early waits, blocked, and is taken at that line.
void TestEndings::signalsWhileStarting()
{
    QFETCH(int, signal);
    QFETCH(int, after);
    QProcess program;
    prepare(program, QStringLiteral("offscreen"), QString(), 0, true);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kavlo"));
    QVERIFY(program.waitForStarted());
    QThread::msleep(after);
    end(program, signal);
    QCOMPARE(stored("sound/a"), QStringLiteral("True"));  // saved on the way out
}

// clang-format off
void TestEndings::nativeWayland_data()
{
    QTest::addColumn<QString>("ending");  // with any window to open first
    QTest::newRow("終了") << "--exit";
    QTest::newRow("Ctrl+Q with the history window open") << "--history-window --ctrl-q";
    QTest::newRow("SIGTERM") << "--wait";
}
// clang-format on

// Started on a Wayland display alone, the program runs there natively. A
// Wayland program cannot place its windows: a saved position is neither
// applied nor overwritten.
void TestEndings::nativeWayland()
{
    QFETCH(QString, ending);

    const QString display = qEnvironmentVariable("TEST_WAYLAND_DISPLAY");
    if (display.isEmpty())
        QSKIP("needs the Wayland compositor that scripts/with-test-servers starts");
    QVERIFY(QDir().mkpath(config.path() + QStringLiteral("/KAVLO")));
    QFile file(store());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Startup]\nX=30\nY=40\n");
    file.close();

    QProcess program;
    const QStringList args = QStringList{"--sound", "off", "--move", "5", "6"} + ending.split(' ');
    QCOMPARE(startReady(program, args, QString(), display), QByteArray("sound on\nmoved no\nready wayland\n"));
    end(program, ending == QLatin1String("--wait") ? SIGTERM : 0);
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
    QCOMPARE(stored("Startup/X"), QStringLiteral("30"));
    QCOMPARE(stored("Startup/Y"), QStringLiteral("40"));
}

QTEST_GUILESS_MAIN(TestEndings)
#include "tst_endings.moc"
