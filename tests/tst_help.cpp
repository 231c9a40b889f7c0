// The help documents: opened from the program's own directory through the
// desktop's URL handling, or a message with the reason's number.
#include "support.h"

#include "window/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

// Stands in for the desktop's viewer: records every file it is asked to open.
class Viewer : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestHelp : public QObject
{
    Q_OBJECT

    std::unique_ptr<Recorder> rec;
    std::unique_ptr<MainWindow> w;
    Viewer viewer;

    QString besideProgram(const QString &name) const { return QApplication::applicationDirPath() + '/' + name; }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensFromTheProgramsDirectory();
    void failures_data();
    void failures();
};

void TestHelp::initTestCase()
{
    prepareApplication();
    // This program's directory is its own, so its documents can be taken away.
    for (const char *name : {"KAVLO.HTML", "KAVLO.TXT"}) {
        QFile::remove(besideProgram(name));
        QVERIFY(QFile::copy(QStringLiteral(KAVLO_RES_DIR "/") + name, besideProgram(name)));
    }
}

void TestHelp::init()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");
    viewer.opened.clear();
    rec = std::make_unique<Recorder>();
    w = std::make_unique<MainWindow>();
}

void TestHelp::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    w.reset();
    rec.reset();
}

void TestHelp::opensFromTheProgramsDirectory()
{
    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    w->nmuHtml->trigger();
    w->nmuText->trigger();
    w->nmuHtml->trigger();
    QDir::setCurrent(before);

    const QUrl html = QUrl::fromLocalFile(besideProgram(QStringLiteral("KAVLO.HTML")));
    const QUrl text = QUrl::fromLocalFile(besideProgram(QStringLiteral("KAVLO.TXT")));
    QCOMPARE(viewer.opened, QList<QUrl>({html, text, html}));
    QVERIFY(rec->messages.isEmpty());
}

void TestHelp::failures_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("number");

    for (const char *doc : {"KAVLO.HTML", "KAVLO.TXT"}) {
        QTest::addRow("%s missing", doc) << doc << "missing" << 2;
        QTest::addRow("%s a directory", doc) << doc << "directory" << 5;
        QTest::addRow("%s without a viewer", doc) << doc << "no viewer" << 31;
    }
}

void TestHelp::failures()
{
    QFETCH(QString, document);
    QFETCH(QString, damage);
    QFETCH(int, number);

    const QString path = besideProgram(document);
    const QString kept = path + QStringLiteral(".kept");
    if (damage == QLatin1String("no viewer")) {
        // Nothing handles file URLs here: the offscreen platform has no desktop to ask.
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    } else {
        QVERIFY(QFile::rename(path, kept));
        if (damage == QLatin1String("directory"))
            QVERIFY(QDir().mkdir(path));
    }

    (document == QLatin1String("KAVLO.HTML") ? w->nmuHtml : w->nmuText)->trigger();

    if (damage == QLatin1String("directory"))
        QVERIFY(QDir().rmdir(path));
    if (damage != QLatin1String("no viewer"))
        QVERIFY(QFile::rename(kept, path));

    const QString text = document + QStringLiteral(" を開くことができませんでした。 (%1)").arg(number);
    QCOMPARE(rec->messages, QList<Shown>({{w.get(), text, MessageIcon::None, QStringLiteral("KAVLO")}}));
    QVERIFY(viewer.opened.isEmpty());
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
