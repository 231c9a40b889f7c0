// The help documents: handed from the program's own directory to the
// desktop's opener, xdg-open, or a message with the reason's number. Stand-in
// openers, found first on the PATH, record what they are given and exit as
// told.
#include "support.h"

#include "desktop/opener.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

class TestHelp : public QObject
{
    Q_OBJECT

    std::unique_ptr<Recorder> rec;
    std::unique_ptr<MainWindow> w;
    QTemporaryDir openers;
    QByteArray path;

    QString besideProgram(const QString &name) const { return QApplication::applicationDirPath() + '/' + name; }
    QString log() const { return openers.filePath(QStringLiteral("opened")); }
    // Puts an xdg-open that runs script first on the PATH; with no script, no xdg-open is found at all.
    void useOpener(const QByteArray &script);
    QStringList opened() const;
    QAction *item(const QString &document) const
    {
        return action(*w, document == QLatin1String("KAVLO.HTML") ? "nmuHtml" : "nmuText");
    }
    Shown message(const QString &document, int number) const
    {
        return {w.get(), document + QStringLiteral(" を開くことができませんでした。 (%1)").arg(number),
                MessageIcon::None, QStringLiteral("KAVLO")};
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensFromTheProgramsDirectory();
    void outcomes_data();
    void outcomes();
    void aViewerClosedLaterSaysNothing();
    void theViewerOutlivesTheProgram();
};

void TestHelp::useOpener(const QByteArray &script)
{
    const QString opener = openers.filePath(QStringLiteral("bin/xdg-open"));
    QDir().mkpath(QFileInfo(opener).path());
    QFile::remove(opener);
    if (script.isEmpty()) {
        qputenv("PATH", QFile::encodeName(QFileInfo(opener).path()));
        return;
    }
    QFile file(opener);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho \"$1\" >>'" + QFile::encodeName(log()) + "'\n" + script + '\n');
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    qputenv("PATH", QFile::encodeName(QFileInfo(opener).path()) + ':' + path);
}

QStringList TestHelp::opened() const
{
    QFile file(log());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestHelp::initTestCase()
{
    prepareApplication();
    QVERIFY(openers.isValid());
    path = qgetenv("PATH");
    // This program's directory is its own, so its documents can be taken away.
    for (const char *name : {"KAVLO.HTML", "KAVLO.TXT"}) {
        QFile::remove(besideProgram(name));
        QVERIFY(QFile::copy(QStringLiteral(KAVLO_RES_DIR "/") + name, besideProgram(name)));
    }
}

void TestHelp::init()
{
    rec = std::make_unique<Recorder>();
    w = std::make_unique<MainWindow>();
}

void TestHelp::cleanup()
{
    w.reset();
    rec.reset();
    qputenv("PATH", path);
    QFile::remove(log());
    setOpenerPatience(10000);
}

void TestHelp::opensFromTheProgramsDirectory()
{
    useOpener("exit 0");
    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    for (const char *name : {"nmuHtml", "nmuText", "nmuHtml", "F1"}) {
        if (qstrcmp(name, "F1") == 0)
            QTest::keyClick(w->focusWidget(), Qt::Key_F1);
        else
            action(*w, name)->trigger();
        QTRY_VERIFY(w->findChildren<QProcess *>().isEmpty());
    }
    QDir::setCurrent(before);

    const QString html = besideProgram(QStringLiteral("KAVLO.HTML"));
    const QString text = besideProgram(QStringLiteral("KAVLO.TXT"));
    QCOMPARE(opened(), QStringList({html, text, html, html}));
    QVERIFY(rec->messages.isEmpty());
}

// clang-format off
void TestHelp::outcomes_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<int>("number");

    for (const char *doc : {"KAVLO.HTML", "KAVLO.TXT"}) {
        QTest::addRow("%s missing", doc) << doc << "missing" << QByteArray("exit 0") << 2;
        QTest::addRow("%s a directory", doc) << doc << "directory" << QByteArray("exit 0") << 5;
        QTest::addRow("%s without a viewer", doc) << doc << "" << QByteArray("exit 3") << 31;
        QTest::addRow("%s with a failing viewer", doc) << doc << "" << QByteArray("exit 4") << 31;
        QTest::addRow("%s without xdg-open", doc) << doc << "" << QByteArray() << 31;
    }
}
// clang-format on

void TestHelp::outcomes()
{
    QFETCH(QString, document);
    QFETCH(QString, damage);
    QFETCH(QByteArray, opener);
    QFETCH(int, number);

    useOpener(opener);
    const QString path = besideProgram(document);
    const QString kept = path + QStringLiteral(".kept");
    if (!damage.isEmpty()) {
        QVERIFY(QFile::rename(path, kept));
        if (damage == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(path));
    }

    item(document)->trigger();
    if (!damage.isEmpty()) {
        // Told at once, and nothing is started.
        QCOMPARE(rec->messages, QList<Shown>({message(document, number)}));
        QVERIFY(w->findChildren<QProcess *>().isEmpty());
        if (damage == QLatin1String("directory"))
            QVERIFY(QDir().rmdir(path));
        QVERIFY(QFile::rename(kept, path));
    }
    QTRY_VERIFY(w->findChildren<QProcess *>().isEmpty());

    QCOMPARE(rec->messages, QList<Shown>({message(document, number)}));
    QCOMPARE(opened(), damage.isEmpty() && !opener.isEmpty() ? QStringList(path) : QStringList());
}

// xdg-open may run the viewer itself and end only when the viewer does; what
// it says then is no longer about opening the document.
void TestHelp::aViewerClosedLaterSaysNothing()
{
    setOpenerPatience(300);
    useOpener("sleep 2\nexit 4");
    QElapsedTimer timer;
    timer.start();
    action(*w, "nmuHtml")->trigger();
    QVERIFY(timer.elapsed() < 1000);  // the window does not wait
    QTRY_COMPARE(opened().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(w->findChildren<QProcess *>().isEmpty(), 10000);
    QVERIFY(rec->messages.isEmpty());
}

void TestHelp::theViewerOutlivesTheProgram()
{
    const QString pidFile = openers.filePath(QStringLiteral("viewer.pid"));
    useOpener("echo $$ >'" + QFile::encodeName(pidFile) + "'\nexec sleep 30");
    action(*w, "nmuText")->trigger();
    QTRY_VERIFY(QFile(pidFile).size() > 0);
    QFile file(pidFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const pid_t viewer = pid_t(file.readAll().trimmed().toInt());
    QVERIFY(viewer > 0);

    w.reset();  // as the program ends
    const bool alive = ::kill(viewer, 0) == 0;
    ::kill(viewer, SIGKILL);
    QVERIFY(alive);
    QVERIFY(rec->messages.isEmpty());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
