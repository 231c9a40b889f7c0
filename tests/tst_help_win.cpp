// The help documents on Windows: handed from the program's own directory to
// the shell, or a message with the shell's number. The documents' types are
// pointed at a stand-in viewer, cmd.exe, which records what it is given.
#include "support.h"

#include "window/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <windows.h>

namespace {

const wchar_t *wide(const QString &s)
{
    return reinterpret_cast<const wchar_t *>(s.utf16());
}

void setClassesValue(const QString &key, const QString &value)
{
    RegSetKeyValueW(HKEY_CLASSES_ROOT, wide(key), nullptr, REG_SZ, value.utf16(), DWORD((value.size() + 1) * 2));
}

}  // namespace

class TestHelp : public QObject
{
    Q_OBJECT

    std::unique_ptr<Recorder> rec;
    std::unique_ptr<MainWindow> w;
    QTemporaryDir temporary;

    QString besideProgram(const QString &name) const { return QApplication::applicationDirPath() + '/' + name; }
    QString log() const { return temporary.filePath(QStringLiteral("opened")); }
    // Both document types open with the stand-in, or with a type that has no viewer.
    void useViewer(bool present);
    QStringList opened() const;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void opensFromTheProgramsDirectory();
    void failures_data();
    void failures();
};

void TestHelp::useViewer(bool present)
{
    for (const char *type : {".HTML", ".TXT"})
        setClassesValue(QLatin1String(type),
                        present ? QStringLiteral("KavloTestViewer") : QStringLiteral("KavloTestNoViewer"));
}

QStringList TestHelp::opened() const
{
    QFile file(log());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

void TestHelp::initTestCase()
{
    prepareApplication();
    QVERIFY(temporary.isValid());
    for (const char *name : {"KAVLO.HTML", "KAVLO.TXT"}) {
        QFile::remove(besideProgram(name));
        QVERIFY(QFile::copy(QStringLiteral(KAVLO_RES_DIR "/") + name, besideProgram(name)));
    }
    setClassesValue(QStringLiteral("KavloTestViewer\\shell\\open\\command"),
                    QStringLiteral("cmd.exe /c echo %1>>\"") + QDir::toNativeSeparators(log()) + QLatin1Char('"'));
    setClassesValue(QStringLiteral("KavloTestNoViewer"), QStringLiteral("no viewer"));
}

void TestHelp::cleanupTestCase()
{
    for (const char *key : {".HTML", ".TXT", "KavloTestViewer", "KavloTestNoViewer"})
        RegDeleteTreeW(HKEY_CLASSES_ROOT, wide(QLatin1String(key)));
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
    QFile::remove(log());
}

void TestHelp::opensFromTheProgramsDirectory()
{
    useViewer(true);
    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    action(*w, "nmuHtml")->trigger();
    QTRY_COMPARE(opened().size(), 1);
    action(*w, "nmuText")->trigger();
    QTRY_COMPARE(opened().size(), 2);
    QDir::setCurrent(before);

    QCOMPARE(opened(),
             QStringList({QDir::toNativeSeparators(besideProgram(QStringLiteral("KAVLO.HTML"))),
                          QDir::toNativeSeparators(besideProgram(QStringLiteral("KAVLO.TXT")))}));
    QVERIFY(rec->messages.isEmpty());
}

void TestHelp::failures_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("elsewhere");
    QTest::addColumn<int>("number");
    for (const char *doc : {"KAVLO.HTML", "KAVLO.TXT"}) {
        QTest::addRow("%s missing", doc) << doc << false << false << 2;
        QTest::addRow("%s missing, a copy on PATH", doc) << doc << false << true << 2;
        QTest::addRow("%s without a viewer", doc) << doc << true << false << 31;
    }
}

void TestHelp::failures()
{
    QFETCH(QString, document);
    QFETCH(bool, present);
    QFETCH(bool, elsewhere);
    QFETCH(int, number);

    useViewer(!present);
    const QString path = besideProgram(document);
    if (!present)
        QVERIFY(QFile::rename(path, path + QStringLiteral(".kept")));
    // A copy in the working folder, which is on PATH too, is never the program's.
    const QString before = QDir::currentPath();
    const QString searched = qEnvironmentVariable("PATH");
    QTemporaryDir other;
    if (elsewhere) {
        QVERIFY(QFile::copy(path + QStringLiteral(".kept"), other.filePath(document)));
        QDir::setCurrent(other.path());
        SetEnvironmentVariableW(L"PATH", wide(QDir::toNativeSeparators(other.path()) + ';' + searched));
    }
    action(*w, document == QLatin1String("KAVLO.HTML") ? "nmuHtml" : "nmuText")->trigger();
    QDir::setCurrent(before);
    SetEnvironmentVariableW(L"PATH", wide(searched));
    if (!present)
        QVERIFY(QFile::rename(path + QStringLiteral(".kept"), path));

    const Shown message{w.get(), document + QStringLiteral(" を開くことができませんでした。 (%1)").arg(number),
                        MessageIcon::None, QStringLiteral("KAVLO")};
    QCOMPARE(rec->messages, QList<Shown>({message}));
    QTest::qWait(500);
    QVERIFY(opened().isEmpty());
}

QTEST_MAIN(TestHelp)
#include "tst_help_win.moc"
