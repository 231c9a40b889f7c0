// The version dialog: one instance, its focus and keys, and every way to close it.
#include "support.h"

#include "window/mainwindow.h"
#include "window/versiondialog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
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
    w->nmuVer->trigger();
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
    QCOMPARE(v->Picture1->pixmap().size(), QSize(32, 32));
    QCOMPARE(v->Label1->text(), QStringLiteral("Kavlo"));
    QCOMPARE(v->Label2->text(), QStringLiteral("Version 2.0"));
    QVERIFY(!v->Label3->text().isEmpty());
    QCOMPARE(v->Command1->text(), QStringLiteral("OK"));
    QVERIFY(!v->Command1->isDefault());
    QCOMPARE(QApplication::focusWidget(), v->Picture1);

    const Qt::WindowFlags f = v->windowFlags();
    QVERIFY(f & Qt::WindowCloseButtonHint);
    QVERIFY(!(f & Qt::WindowMinimizeButtonHint) && !(f & Qt::WindowMaximizeButtonHint));
    QCOMPARE(v->minimumSize(), v->maximumSize());
    // Every text fits on one line inside the dialog.
    for (QLabel *label : {v->Label1, v->Label2, v->Label3}) {
        QVERIFY2(v->rect().contains(label->geometry()), qPrintable(label->objectName()));
        QCOMPARE(label->height(), label->sizeHint().height());
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
    QTest::keyClick(v->Picture1, Qt::Key_Return);
    QTest::keyClick(v->Picture1, Qt::Key_Enter);
    QTest::keyClick(v->Picture1, Qt::Key_Escape);
    QTest::qWait(50);
    QVERIFY(v && v->isVisible());
    QTest::keyClick(v->Picture1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), v->Command1);
    QTest::keyClick(v->Command1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), v->Picture1);  // and back
    QTest::keyClick(v->Picture1, Qt::Key_Tab);
    QTest::keyClick(v->Command1, Qt::Key_Return);
    QTRY_VERIFY(!v);
}

void TestVer::closingRoutes_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("OK clicked") << "click";
    QTest::newRow("Space on OK") << "space";
    QTest::newRow("close box") << "close";
}

void TestVer::closingRoutes()
{
    QFETCH(QString, route);
    QPointer<VersionDialog> v = open();
    QVERIFY(v);
    if (route == QLatin1String("click")) {
        click(v->Command1);
    } else if (route == QLatin1String("space")) {
        v->Command1->setFocus();
        QTest::keyClick(v->Command1, Qt::Key_Space);
    } else {
        v->close();
    }
    QTRY_VERIFY(!v);  // unloaded, not just hidden
    QVERIFY(!VersionDialog::instance());

    // Opened again, it is made afresh in its opening state.
    VersionDialog *again = open();
    QVERIFY(again);
    QCOMPARE(QApplication::focusWidget(), again->Picture1);
    QCOMPARE(again->geometry().center(), w->geometry().center());
}

void TestVer::mainWindowStaysUsable()
{
    QVERIFY(open());
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(QApplication::focusWidget(), '7');
    click(w->digitKeys[3]);
    QCOMPARE(w->lblInput->text(), QStringLiteral("73"));
    QVERIFY(VersionDialog::instance()->isVisible());

    // Keys typed into the dialog stay there.
    VersionDialog::instance()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(VersionDialog::instance()));
    QTest::keyClick(QApplication::focusWidget(), '5');
    QCOMPARE(w->lblInput->text(), QStringLiteral("73"));
}

QTEST_MAIN(TestVer)
#include "tst_ver.moc"
