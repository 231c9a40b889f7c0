// Stores that cannot be read or written, and two copies of the program
// saving at the same moment. Each case starts fresh copies of the program,
// so nothing is remembered from an earlier read.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// What path names, through any link: S_IFREG, S_IFIFO, S_IFCHR...; 0 for nothing.
static mode_t fileType(const QString &path)
{
    struct stat st;
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

class TestDamage : public QObject
{
    Q_OBJECT

    QTemporaryDir config;
    QString dir() const { return config.path() + QStringLiteral("/KAVLO"); }
    QString store() const { return dir() + QStringLiteral("/KAVLO.conf"); }

    // Starts a copy of the program; its output is what it saw at start.
    void start(QProcess &p, const QStringList &args,
               QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel) const;

private slots:
    void init();
    void cleanup();
    void unusableStores_data();
    void unusableStores();
    void twoCopiesClosingAtOnce();
    void switchOfAnotherCopySurvives();
};

void TestDamage::start(QProcess &p, const QStringList &args, QProcess::ProcessChannelMode channels) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(channels);
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/one_run"), args);
}

void TestDamage::init()
{
    QVERIFY(config.isValid());
    QVERIFY(QDir().mkpath(dir()));
}

void TestDamage::cleanup()
{
    QFile(dir()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile(store()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDir(dir()).removeRecursively();
    QFile::remove(dir());
}

// clang-format off
void TestDamage::unusableStores_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QByteArray>("seen");
    QTest::addColumn<bool>("written");  // else left as it was, and the program says so

    QTest::newRow("file unreadable") << "file unreadable" << QByteArray("sound on\nmoved no\n") << false;
    // The file itself can be written, in place.
    QTest::newRow("directory read-only") << "directory read-only" << QByteArray("sound off\nmoved yes\n") << true;
    QTest::newRow("a directory in place of the file") << "directory for file" << QByteArray("sound on\nmoved no\n")
                                                      << false;
    QTest::newRow("a file in place of the directory") << "file for directory" << QByteArray("sound on\nmoved no\n")
                                                      << false;
    QTest::newRow("unreadable lines") << "unreadable lines" << QByteArray("sound off\nmoved yes\n") << true;
    QTest::newRow("a link to a regular file") << "link to a file" << QByteArray("sound off\nmoved yes\n") << true;
    // Neither read, which could wait for ever, nor replaced by a regular file.
    QTest::newRow("a link to a FIFO") << "link to a FIFO" << QByteArray("sound on\nmoved no\n") << false;
    QTest::newRow("a link to a device") << "link to a device" << QByteArray("sound on\nmoved no\n") << false;
}
// clang-format on

void TestDamage::unusableStores()
{
    QFETCH(QString, damage);
    QFETCH(QByteArray, seen);
    QFETCH(bool, written);

    const QByteArray old = "[Startup]\nX=30\nY=40\n\n[sound]\na=False\n";
    QFile f(store());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(old + (damage == QLatin1String("unreadable lines") ? "[other]\nno setting\n" : ""));
    f.close();
    if (damage == QLatin1String("file unreadable")) {
        QVERIFY(QFile(store()).setPermissions({}));
    } else if (damage == QLatin1String("directory read-only")) {
        QVERIFY(QFile(dir()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    } else if (damage == QLatin1String("directory for file")) {
        QVERIFY(QFile::remove(store()));
        QVERIFY(QDir().mkdir(store()));
    } else if (damage == QLatin1String("file for directory")) {
        QVERIFY(QDir(dir()).removeRecursively());
        QFile blocker(dir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (damage.startsWith(QLatin1String("link"))) {
        const QString target = dir() + QStringLiteral("/target");
        QVERIFY(QFile::rename(store(), target));
        if (damage == QLatin1String("link to a FIFO")) {
            QVERIFY(QFile::remove(target) && mkfifo(QFile::encodeName(target).constData(), 0600) == 0);
        } else if (damage == QLatin1String("link to a device")) {
            if (geteuid() != 0)
                QSKIP("making a device node needs root");
            // The numbers of /dev/null.
            QVERIFY(QFile::remove(target)
                    && mknod(QFile::encodeName(target).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
        }
        QVERIFY(QFile::link(target, store()));
    }
    const mode_t type = fileType(store());

    // The program starts and ends normally, and harms nothing.
    QProcess p;
    start(p, {"--sound", "on", "--move", "5", "6"}, QProcess::SeparateChannels);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(p.readAllStandardOutput(), seen);
    QCOMPARE(p.readAllStandardError().count(store().toUtf8()), written ? 0 : 1);

    QCOMPARE(fileType(store()), type);  // a folder, a FIFO or a device stays what it is
    QCOMPARE(QFileInfo(store()).isSymLink(), damage.startsWith(QLatin1String("link")));
    if (damage == QLatin1String("file for directory")) {
        QVERIFY(QFileInfo(dir()).isFile());
    } else if (type == S_IFREG) {
        QFile(dir()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile(store()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile kept(store());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), written ? QByteArray("[Startup]\nX=5\nY=6\n\n[sound]\na=False\n") : old);
    }
}

void TestDamage::twoCopiesClosingAtOnce()
{
    // Each copy saves its own Sound switch and position at the same moment;
    // the store must come out whole, every value from one of the two.
    for (int round = 0; round < 4; ++round) {
        QFile::remove(store());
        const QString when = QString::number(QDateTime::currentMSecsSinceEpoch() + 1500);
        QProcess a, b;
        start(a, {"--sound", "on", "--move", "11", "12", "--close-at", when});
        start(b, {"--sound", "off", "--move", "21", "22", "--close-at", when});
        QVERIFY(a.waitForFinished(30000) && b.waitForFinished(30000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        QFile file(store());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        const QSettings saved(store(), QSettings::IniFormat);
        QCOMPARE(saved.status(), QSettings::NoError);
        QVERIFY2(QStringList({"True", "False"}).contains(saved.value("sound/a").toString()), text);
        QVERIFY2(QStringList({"11", "21"}).contains(saved.value("Startup/X").toString()), text);
        QVERIFY2(QStringList({"12", "22"}).contains(saved.value("Startup/Y").toString()), text);
    }
}

void TestDamage::switchOfAnotherCopySurvives()
{
    // Both copies start with the cues on; the first switches them off and
    // ends, then the second, which never touched the switch, ends too.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QProcess first, second;
    start(first, {"--switch", "--close-at", QString::number(now + 1500)});
    start(second, {"--close-at", QString::number(now + 3000)});
    QVERIFY(first.waitForFinished(30000) && second.waitForFinished(30000));
    QCOMPARE(QSettings(store(), QSettings::IniFormat).value("sound/a").toString(), QStringLiteral("False"));
}

QTEST_GUILESS_MAIN(TestDamage)
#include "tst_damage.moc"
