// The window's geometry on a real X server at 120 DPI, where a pixel is 12 twips.
#include "support.h"

#include "window/mainwindow.h"
#include "window/versiondialog.h"

#include <QApplication>
#include <QFontInfo>
#include <QTest>

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void clientArea();
    void controls_data();
    void controls();
    void fontPixels();
    void fixedSize();
    void versionDialog();
};

void TestLayout::initTestCase()
{
    prepareApplication();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    QCOMPARE(MainWindow().logicalDpiX(), 120);
}

void TestLayout::clientArea()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.centralWidget()->size(), QSize(306, 342));
    QCOMPARE(w.centralWidget()->geometry().bottom() + 1, w.height());
}

// clang-format off
void TestLayout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    // Twips / 12, as laid out on a 120 DPI display.
    QTest::newRow("lblInput") << "lblInput" << QRect(70, 20, 81, 31);
    QTest::newRow("Label1") << "Label1" << QRect(0, 30, 71, 21);
    QTest::newRow("Picture1") << "Picture1" << QRect(250, 10, 36, 36);
    QTest::newRow("lblD") << "lblD" << QRect(210, 100, 81, 31);
    QTest::newRow("cmdSyoritu") << "cmdSyoritu" << QRect(190, 150, 101, 31);
    QTest::newRow("cmd0") << "cmd0" << QRect(10, 270, 41, 51);
    QTest::newRow("cmdAC") << "cmdAC" << QRect(60, 270, 71, 51);
    QTest::newRow("Label9") << "Label9" << QRect(240, 270, 41, 21);
    QTest::newRow("cmd23") << "cmd23" << QRect(240, 290, 41, 31);
}
// clang-format on

void TestLayout::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    MainWindow w;
    QWidget *c = w.findChild<QWidget *>(name);
    QVERIFY(c);
    QCOMPARE(c->geometry(), pixels);
}

void TestLayout::fontPixels()
{
    MainWindow w;
    QCOMPARE(QFontInfo(label(w, "lblInput")->font()).pixelSize(), 20);
    QCOMPARE(QFontInfo(key(w, "cmd1")->font()).pixelSize(), 17);
    QCOMPARE(QFontInfo(key(w, "cmdDaritu")->font()).pixelSize(), 17);
    QCOMPARE(QFontInfo(label(w, "Label1")->font()).pixelSize(), 15);
}

void TestLayout::fixedSize()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QSize size = w.size();
    w.resize(size + QSize(100, 100));
    QCoreApplication::processEvents();
    QCOMPARE(w.size(), size);
}

void TestLayout::versionDialog()
{
    MainWindow w;
    action(w, "nmuVer")->trigger();
    VersionDialog *v = VersionDialog::instance();
    QVERIFY(v);
    QCOMPARE(v->size(), QSize(266, 198));
    QCOMPARE(label(*v, "Picture1")->geometry(), QRect(10, 10, 36, 36));
    QCOMPARE(key(*v, "Command1")->geometry(), QRect(90, 140, 91, 41));
    QCOMPARE(label(*v, "Label1")->pos(), QPoint(70, 20));
    QCOMPARE(label(*v, "Label2")->pos(), QPoint(70, 60));
    QCOMPARE(label(*v, "Label3")->pos(), QPoint(30, 100));
    QCOMPARE(QFontInfo(key(*v, "Command1")->font()).pixelSize(), 18);
    QCOMPARE(QFontInfo(label(*v, "Label1")->font()).pixelSize(), 20);
    QCOMPARE(QFontInfo(label(*v, "Label3")->font()).pixelSize(), 17);
    VersionDialog::closeOpen();
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
