// The version dialog: one instance, its focus and keys, and every way to close it.
#include "support.h"

#include "window/mainwindow.h"
#include "window/versiondialog.h"

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QTest>

#include <memory>

class TestVer : public WindowTest
{
    Q_OBJECT

    VersionDialog *open();

private slots:
    void cleanup()
    {
        VersionDialog::closeOpen();
        closeWindow();
    }

    void opensWithItsContents();
    void onlyOneAtATime();
    void enterAndEscapeNeedTheFocusOnOk();
    void closingRoutes_data();
    void closingRoutes();
    void mainWindowStaysUsable();
};

VersionDialog *TestVer::open()
{
    action(*w, "nmuVer")->trigger();
    VersionDialog *v = VersionDialog::instance();
    if (v && !QTest::qWaitForWindowActive(v))
        return nullptr;
    return v;
}

void TestVer::opensWithItsContents()
{
    QVERIFY(!VersionDialog::instance());
    VersionDialog *v = open();
    QVERIFY(v);
    QCOMPARE(v->windowTitle(), QStringLiteral("バ\uff0dジョン情報"));
    QVERIFY(!v->parentWidget());  // modeless, owned by no window
    QCOMPARE(v->windowModality(), Qt::NonModal);
    QVERIFY(!v->windowIcon().isNull());
    QCOMPARE(label(*v, "Picture1")->pixmap().size(), QSize(32, 32));
    QCOMPARE(label(*v, "Label1")->text(), QStringLiteral("Kavlo"));
    QCOMPARE(label(*v, "Label2")->text(), QStringLiteral("Version 2.0"));
    QVERIFY(!label(*v, "Label3")->text().isEmpty());
    QCOMPARE(key(*v, "Command1")->text(), QStringLiteral("OK"));
    QVERIFY(!key(*v, "Command1")->isDefault());
    QCOMPARE(QApplication::focusWidget(), label(*v, "Picture1"));

    const Qt::WindowFlags f = v->windowFlags();
    QVERIFY(f & Qt::WindowCloseButtonHint);
    QVERIFY(!(f & Qt::WindowMinimizeButtonHint) && !(f & Qt::WindowMaximizeButtonHint));
    QCOMPARE(v->minimumSize(), v->maximumSize());
    // Every text fits on one line inside the dialog.
    for (const char *name : {"Label1", "Label2", "Label3"}) {
        QVERIFY2(v->rect().contains(label(*v, name)->geometry()), name);
        QCOMPARE(label(*v, name)->height(), label(*v, name)->sizeHint().height());
    }
    QCOMPARE(v->geometry().center(), w->geometry().center());
}

void TestVer::onlyOneAtATime()
{
    VersionDialog *first = open();
    QVERIFY(first);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QCOMPARE(open(), first);  // the same dialog, back in front
    QCOMPARE(QApplication::activeWindow(), first);
    int shown = 0;
    for (QWidget *t : QApplication::topLevelWidgets())
        shown += qobject_cast<VersionDialog *>(t) && t->isVisible();
    QCOMPARE(shown, 1);
}

void TestVer::enterAndEscapeNeedTheFocusOnOk()
{
    QPointer<VersionDialog> v = open();
    QVERIFY(v);
    QLabel *picture = label(*v, "Picture1");
    QPushButton *ok = key(*v, "Command1");
    QTest::keyClick(picture, Qt::Key_Return);
    QTest::keyClick(picture, Qt::Key_Enter);
    QTest::keyClick(picture, Qt::Key_Escape);
    QTest::qWait(50);
    QVERIFY(v && v->isVisible());
    QTest::keyClick(picture, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), picture);  // and back
    QTest::keyClick(picture, Qt::Key_Tab);
    QTest::keyClick(ok, Qt::Key_Return);
    QTRY_VERIFY(!v);
}

// clang-format off
void TestVer::closingRoutes_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("OK clicked") << "click";
    QTest::newRow("Space on OK") << "space";
    QTest::newRow("close box") << "close";
}
// clang-format on

void TestVer::closingRoutes()
{
    QFETCH(QString, route);
    QPointer<VersionDialog> v = open();
    QVERIFY(v);
    if (route == QLatin1String("click")) {
        click(key(*v, "Command1"));
    } else if (route == QLatin1String("space")) {
        key(*v, "Command1")->setFocus();
        QTest::keyClick(key(*v, "Command1"), Qt::Key_Space);
    } else {
        v->close();
    }
    QTRY_VERIFY(!v);  // unloaded, not just hidden
    QVERIFY(!VersionDialog::instance());

    // Opened again, it is made afresh in its opening state.
    VersionDialog *again = open();
    QVERIFY(again);
    QCOMPARE(QApplication::focusWidget(), label(*again, "Picture1"));
    QCOMPARE(again->geometry().center(), w->geometry().center());
}

void TestVer::mainWindowStaysUsable()
{
    QVERIFY(open());
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(QApplication::focusWidget(), '7');
    play(*w, QStringLiteral("3"));
    QCOMPARE(label(*w, "lblInput")->text(), QStringLiteral("73"));
    QVERIFY(VersionDialog::instance()->isVisible());

    // Keys typed into the dialog stay there, the clipboard's too.
    VersionDialog::instance()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(VersionDialog::instance()));
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target, '5');
    QGuiApplication::clipboard()->setText(QStringLiteral("77"));
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    QCOMPARE(label(*w, "lblInput")->text(), QStringLiteral("73"));
    QCOMPARE(rec->alerts, 0);
}

QTEST_MAIN(TestVer)
#include "tst_ver.moc"
