// The clipboard shared with other programs on an X server, and the clipboard
// keys typed there through xdotool: a pasted figure is keyed in its place
// among keys typed as fast as they can be, and a copied one reaches another
// program (xclip) exactly as shown.
#include "support.h"

#include <QClipboard>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestXClipboard : public WindowTest
{
    Q_OBJECT

    QProcess owner;  // xclip, holding the text offered to the window

private slots:
    void initTestCase();
    void cleanup();
    void keys_data();
    void keys();
};

void TestXClipboard::initTestCase()
{
    prepareApplication();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    for (const char *tool : {"xdotool", "xclip"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP("needs xdotool and xclip; the test command installs them");
    }
}

void TestXClipboard::cleanup()
{
    // It has ended by itself if the window took the clipboard over.
    owner.kill();
    owner.waitForFinished(5000);
    closeWindow();
}

// clang-format off
void TestXClipboard::keys_data()
{
    QTest::addColumn<QString>("offered");  // by another program, before the keys
    QTest::addColumn<QString>("keys");     // xdotool key names, all queued before any is handled
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("clipboard");  // as another program reads it afterwards
    QTest::addColumn<int>("alerts");

    QTest::newRow("pasted among typed digits") << "23" << "4 ctrl+v 5" << "4235" << "" << "23" << 0;
    QTest::newRow("full width, Shift+Insert") << "４２\n" << "shift+Insert" << "42" << "" << "４２\n" << 0;
    QTest::newRow("refused among typed digits") << "3.5" << "1 ctrl+v 2" << "12" << "" << "3.5" << 1;
    QTest::newRow("pasted and taken as hits") << "3" << "1 0 alt+d ctrl+v alt+h"
                                              << "" << "0.300" << "3" << 0;
    QTest::newRow("result copied") << "x" << "1 0 alt+d 3 alt+h ctrl+c" << "" << "0.300" << "0.300" << 0;
    QTest::newRow("copied and pasted back") << "x" << "7 ctrl+c alt+c ctrl+v ctrl+v"
                                            << "77" << "" << "7" << 0;
}
// clang-format on

void TestXClipboard::keys()
{
    QFETCH(QString, offered);
    QFETCH(QString, keys);
    QFETCH(QString, entry);
    QFETCH(QString, result);
    QFETCH(QString, clipboard);
    QFETCH(int, alerts);

    owner.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-quiet", "-in"});
    owner.write(offered.toUtf8());
    owner.closeWriteChannel();
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), offered, 5000);

    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), QStringList{"key", "--clearmodifiers", "--delay", "0"} + keys.split(' '));
    QVERIFY(xdotool.waitForFinished(10000));
    QCOMPARE(xdotool.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(label(*w, "lblInput")->text() + '|' + label(*w, "lblD")->text(), entry + '|' + result,
                              5000);
    QCOMPARE(rec->alerts, alerts);
    // The last key may still be on its way when the figures already show.
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::clipboard()->text(), clipboard, 5000);

    // The window answers the reader from its event loop, so it is not blocked on.
    QProcess reader;
    reader.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-out"});
    QTRY_VERIFY_WITH_TIMEOUT(reader.state() == QProcess::NotRunning, 5000);
    QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()), clipboard);
}

QTEST_MAIN(TestXClipboard)
#include "tst_xclipboard.moc"
