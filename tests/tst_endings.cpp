// Every way out of the program but the close box and 終了 alone, each taken by
// a real copy of it: the signals of a session, a shutdown and a terminal, a
// logout through a session manager, the display server going away under it,
// and a native Wayland display, where the position is neither applied nor saved.
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QString besideTest(const char *program)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(program);
}

// Reads lines until one is line; false when the process says no more.
bool waitForLine(QProcess &process, const QByteArray &line)
{
    do {
        while (process.canReadLine()) {
            if (process.readLine().trimmed() == line)
                return true;
        }
    } while (process.waitForReadyRead(20000));
    return false;
}

// Under AddressSanitizer: the leaks that are no fault of the program's go unreported.
void withoutLeakChecks(QProcessEnvironment &env)
{
    env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
}

// A display server of the test's own, to be killed under the program.
class OwnServer
{
public:
    ~OwnServer() { stop(); }

    // Returns the X server's DISPLAY, or nothing.
    QString startX()
    {
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                                 QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                                 QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        return m_server.waitForReadyRead(20000) ? QLatin1Char(':') + QString::fromLatin1(m_server.readLine().trimmed())
                                                : QString();
    }

    // Returns the compositor's WAYLAND_DISPLAY, a socket in runtimeDir, or nothing.
    QString startWayland(const QString &runtimeDir)
    {
        const QString name = QStringLiteral("kavlo-own");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
        m_server.setProcessEnvironment(env);
        m_server.setStandardOutputFile(QProcess::nullDevice());
        m_server.setStandardErrorFile(runtimeDir + QStringLiteral("/weston.log"));
        m_server.start(QStringLiteral("weston"), {QStringLiteral("--backend=headless-backend.so"),
                                                  QStringLiteral("--socket=") + name, QStringLiteral("--idle-time=0")});
        for (int i = 0; i < 200 && m_server.state() != QProcess::NotRunning; ++i) {
            if (QFile::exists(runtimeDir + QLatin1Char('/') + name))
                return name;
            QTest::qWait(50);
        }
        return QString();
    }

    void stop()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.kill();
            m_server.waitForFinished();
        }
    }

private:
    QProcess m_server;
};

} // namespace

class TestEndings : public QObject
{
    Q_OBJECT

    QTemporaryDir config;
    QString store() const { return config.path() + QStringLiteral("/KAVLO/KAVLO.conf"); }
    QString stored(const char *key) const
    {
        return QSettings(store(), QSettings::IniFormat).value(QLatin1String(key)).toString();
    }
    QProcessEnvironment environment() const;
    // Starts a copy of the program; what it says up to and including its ready line.
    QByteArray startReady(QProcess &program, const QProcessEnvironment &env, const QStringList &args);
    void end(QProcess &program, int signal);

private slots:
    void init();

    void signalsEndAsTheCloseBoxDoes_data();
    void signalsEndAsTheCloseBoxDoes();
    void ignoredHangUpsStayIgnored();
    void logoutSaves();
    void displayServerGone_data();
    void displayServerGone();
    void nativeWayland_data();
    void nativeWayland();
};

QProcessEnvironment TestEndings::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"})
        env.remove(QLatin1String(name));
    return env;
}

QByteArray TestEndings::startReady(QProcess &program, const QProcessEnvironment &env, const QStringList &args)
{
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Signals that the test's own runner ignores would stay ignored in the program.
    program.setChildProcessModifier([] {
        for (int s : {SIGTERM, SIGHUP, SIGINT})
            std::signal(s, SIG_DFL);
    });
    program.start(besideTest("one_run"), args);
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

void TestEndings::signalsEndAsTheCloseBoxDoes_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("SIGTERM") << SIGTERM << QStringList();
    QTest::newRow("SIGHUP") << SIGHUP << QStringList();
    QTest::newRow("SIGINT") << SIGINT << QStringList();
    QTest::newRow("SIGTERM with a message box open") << SIGTERM << QStringList({"--message"});
    QTest::newRow("SIGHUP with the version window open") << SIGHUP << QStringList({"--version-window"});
}

void TestEndings::signalsEndAsTheCloseBoxDoes()
{
    QFETCH(int, signal);
    QFETCH(QStringList, opened);

    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    QCOMPARE(startReady(program, env, QStringList({"--sound", "off", "--move", "33", "44", "--wait"}) + opened),
             QByteArray("sound on\nmoved no\nready offscreen\n"));
    QVERIFY(!QFile::exists(store()));
    end(program, signal);
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
    QCOMPARE(stored("Startup/X"), QStringLiteral("33"));
    QCOMPARE(stored("Startup/Y"), QStringLiteral("44"));
}

// nohup ignores hang-ups for the program it starts, and they stay ignored.
void TestEndings::ignoredHangUpsStayIgnored()
{
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setChildProcessModifier([] {
        std::signal(SIGHUP, SIG_IGN);
        std::signal(SIGTERM, SIG_DFL);
    });
    program.start(besideTest("one_run"), {"--sound", "off", "--wait"});
    QVERIFY(waitForLine(program, "ready offscreen"));
    QVERIFY(::kill(pid_t(program.processId()), SIGHUP) == 0);
    QVERIFY(!program.waitForFinished(500));
    QVERIFY(!QFile::exists(store()));
    end(program, SIGTERM);
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
}

// A session manager asks the program to save for a logout, then tells it to end.
void TestEndings::logoutSaves()
{
    if (!QFile::exists(besideTest("session_manager")) || QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("needs Xvfb, and the X session management library to build with");
    OwnServer x;
    const QString display = x.startX();
    QVERIFY(!display.isEmpty());

    QProcess manager;
    manager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    manager.start(besideTest("session_manager"));
    QVERIFY(manager.waitForReadyRead(20000));
    const QString address = QString::fromLatin1(manager.readLine().trimmed());

    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("SESSION_MANAGER"), address);
    QProcess program;
    QCOMPARE(startReady(program, env, {"--sound", "off", "--move", "33", "44", "--wait"}),
             QByteArray("sound on\nmoved no\nready xcb\n"));
    QVERIFY(waitForLine(manager, "registered"));
    QVERIFY(!QFile::exists(store()));

    manager.write("save\n");
    QVERIFY(waitForLine(manager, "saved"));
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
    QCOMPARE(stored("Startup/X"), QStringLiteral("33"));
    QCOMPARE(stored("Startup/Y"), QStringLiteral("44"));
    QCOMPARE(program.state(), QProcess::Running);  // the manager decides whether the program ends

    manager.write("die\n");
    QVERIFY(manager.waitForBytesWritten(20000));
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(waitForLine(manager, "closed"));
    QVERIFY(manager.waitForFinished(20000));
}

void TestEndings::displayServerGone_data()
{
    QTest::addColumn<QString>("platform");
    QTest::newRow("X server") << "xcb";
    QTest::newRow("Wayland compositor") << "wayland";
}

// Qt ends the program on the spot when its display server goes away, with no
// chance to save: the Sound switch, saved when it was switched, survives.
void TestEndings::displayServerGone()
{
    QFETCH(QString, platform);

    const char *serverProgram = platform == QLatin1String("xcb") ? "Xvfb" : "weston";
    if (QStandardPaths::findExecutable(QLatin1String(serverProgram)).isEmpty())
        QSKIP("needs Xvfb and weston");
    QTemporaryDir runtime;
    OwnServer server;
    QProcessEnvironment env = environment();
    if (platform == QLatin1String("xcb")) {
        const QString display = server.startX();
        QVERIFY(!display.isEmpty());
        env.insert(QStringLiteral("DISPLAY"), display);
    } else {
        const QString display = server.startWayland(runtime.path());
        QVERIFY2(!display.isEmpty(), "weston did not start: see weston.log");
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), display);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    }
    // Qt ends the program with everything still allocated.
    withoutLeakChecks(env);
    QProcess program;
    QCOMPARE(startReady(program, env, {"--switch-sound", "--move", "33", "44", "--wait"}),
             "sound on\nmoved no\nready " + platform.toLatin1() + '\n');
    server.stop();
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
    QVERIFY(!QSettings(store(), QSettings::IniFormat).contains(QStringLiteral("Startup/X")));
}

void TestEndings::nativeWayland_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("終了") << "--exit";
    QTest::newRow("SIGTERM") << "--wait";
}

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

    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), display);
    // Qt's Wayland platform and Mesa's EGL keep allocations of theirs to the end.
    withoutLeakChecks(env);
    QProcess program;
    QCOMPARE(startReady(program, env, {"--sound", "off", "--move", "5", "6", ending}),
             QByteArray("sound on\nmoved no\nready wayland\n"));
    if (ending == QLatin1String("--wait")) {
        end(program, SIGTERM);
    } else {
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
    QCOMPARE(stored("sound/a"), QStringLiteral("False"));
    QCOMPARE(stored("Startup/X"), QStringLiteral("30"));
    QCOMPARE(stored("Startup/Y"), QStringLiteral("40"));
}

QTEST_GUILESS_MAIN(TestEndings)
#include "tst_endings.moc"
