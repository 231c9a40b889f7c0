// What a screen reader learns from the windows through Qt's accessibility
// interfaces: each display's name, figure and caption, the events when a
// figure changes, the function keys of the thirds keys, and the version
// window's role. Qt passes events on only while its accessibility bridge is
// on, so this test runs on X with the test command's accessibility bus.
#include "support.h"

#include "window/mainwindow.h"
#include "window/versiondialog.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QTest>

namespace {

const QStringList displayNames = {"lblInput", "lblA", "lblB", "lblC", "lblD"};

// Every accessibility event on a display, as "lblD: '' > '0.300'" for a new
// text and "lblD: event N" for anything else.
QStringList &displayEvents()
{
    static QStringList events;
    return events;
}

void recordEvent(QAccessibleEvent *event)
{
    const QObject *object = event->object();
    if (!object || !displayNames.contains(object->objectName()))
        return;
    QString line = object->objectName() + QLatin1String(": ");
    if (event->type() == QAccessible::TextUpdated) {
        const auto *update = static_cast<QAccessibleTextUpdateEvent *>(event);
        line += QStringLiteral("'%1' > '%2'").arg(update->textRemoved(), update->textInserted());
    } else {
        line += QStringLiteral("event %1").arg(int(event->type()));
    }
    displayEvents() << line;
}

QList<QAccessibleInterface *> related(QAccessibleInterface *iface, QAccessible::Relation relation)
{
    QList<QAccessibleInterface *> found;
    for (const auto &[other, kind] : iface->relations(relation))
        found << other;
    return found;
}

}  // namespace

class TestAccessibility : public WindowTest
{
    Q_OBJECT

private slots:
    void initTestCase();

    void displays_data();
    void displays();
    void eventsOnlyWhereTheFigureChanged_data();
    void eventsOnlyWhereTheFigureChanged();
    void charactersWhereTheyAreDrawn();
    void thirdsKeysNameTheirFunctionKeys_data();
    void thirdsKeysNameTheirFunctionKeys();
    void versionWindowIsADialog();
};

void TestAccessibility::initTestCase()
{
    prepareApplication();
    QAccessible::installUpdateHandler(recordEvent);
    QVERIFY2(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000),
             "Qt's accessibility bridge stayed off: run the test through scripts/with-test-servers");
}

// clang-format off
void TestAccessibility::displays_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("caption");

    QTest::newRow("empty entry") << "" << "lblInput" << "入力画面" << "" << "入力画面";
    QTest::newRow("entry") << "007" << "lblInput" << "入力画面" << "007" << "入力画面";
    QTest::newRow("at-bats") << "10 D" << "lblA" << "第一の数値" << "10" << "打数";
    QTest::newRow("thirds") << "9 I 2/3" << "lblB" << "回の端数" << "2/3" << "回と";
    QTest::newRow("losses") << "7 W 3 W" << "lblC" << "第二の数値" << "3" << "敗";
    QTest::newRow("batting average") << "10 D 3 D" << "lblD" << "計算結果" << "0.300" << "打率";
    QTest::newRow("earned-run average") << "9 I 1/3 2 I" << "lblD" << "計算結果" << "1.93" << "防御率";
}
// clang-format on

void TestAccessibility::displays()
{
    QFETCH(QString, script);
    QFETCH(QString, display);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, caption);
    play(*w, script);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label(*w, display));
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), value);
    QAccessibleTextInterface *text = iface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, -1), value);  // to the end, as the accessibility bus asks

    // The caption beside the display labels it, both ways round.
    const QList<QAccessibleInterface *> labels = related(iface, QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels[0]->text(QAccessible::Name), caption);
    QCOMPARE(related(labels[0], QAccessible::Labelled), QList<QAccessibleInterface *>({iface}));
}

// clang-format off
void TestAccessibility::eventsOnlyWhereTheFigureChanged_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("digits") << "" << "42" << QStringList({"lblInput: '' > '4'", "lblInput: '4' > '42'"});
    QTest::newRow("sixth digit refused") << "12345" << "6" << QStringList();
    QTest::newRow("C on an empty entry") << "" << "C" << QStringList();
    QTest::newRow("first figure") << "10" << "D" << QStringList({"lblInput: '10' > ''", "lblA: '' > '10'"});
    QTest::newRow("thirds") << "9 I" << "1/3" << QStringList({"lblB: '' > '1/3'"});
    QTest::newRow("result") << "10 D 3" << "D"
                            << QStringList({"lblInput: '3' > ''", "lblC: '' > '3'", "lblD: '' > '0.300'"});
    QTest::newRow("more hits than at-bats") << "3 D 5" << "D" << QStringList({"lblInput: '5' > ''"});
    QTest::newRow("AC after a result") << "10 D 3 D" << "AC"
                                       << QStringList({"lblA: '10' > ''", "lblC: '3' > ''", "lblD: '0.300' > ''"});
}
// clang-format on

void TestAccessibility::eventsOnlyWhereTheFigureChanged()
{
    QFETCH(QString, before);
    QFETCH(QString, script);
    QFETCH(QStringList, events);
    play(*w, before);
    displayEvents().clear();
    play(*w, script);
    QCOMPARE(displayEvents(), events);
}

// A reader that follows the text, such as a magnifier, finds each character
// where it is drawn: all the ink inside the frame lies within them.
void TestAccessibility::charactersWhereTheyAreDrawn()
{
    play(*w, QStringLiteral("10 D 3 D"));
    QLabel *result = label(*w, "lblD");
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(result)->textInterface();
    QRect characters;
    for (int i = 0; i < text->characterCount(); ++i) {
        const QRect r = text->characterRect(i).translated(-result->mapToGlobal(QPoint(0, 0)));
        QVERIFY(!r.isEmpty() && r.left() >= characters.right());
        QCOMPARE(text->offsetAtPoint(result->mapToGlobal(r.center())), i);
        characters |= r;
    }
    const QImage image = result->grab().toImage();
    const QRect inside = result->contentsRect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const bool ink = image.pixel(x, y) != image.pixel(inside.topLeft());
            QVERIFY2(!ink || characters.adjusted(-1, -1, 1, 1).contains(x, y),
                     qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
        }
    }
}

// clang-format off
void TestAccessibility::thirdsKeysNameTheirFunctionKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("functionKey");
    QTest::newRow("0/3") << "cmd03" << "F5";
    QTest::newRow("1/3") << "cmd13" << "F6";
    QTest::newRow("2/3") << "cmd23" << "F7";
}
// clang-format on

void TestAccessibility::thirdsKeysNameTheirFunctionKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, functionKey);
    QPushButton *button = ::key(*w, key);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), button->text());
    QCOMPARE(iface->text(QAccessible::Accelerator), functionKey);
    QAccessibleActionInterface *actions = iface->actionInterface();
    const QString press = QAccessibleActionInterface::pressAction();
    QCOMPARE(actions->keyBindingsForAction(press), QStringList(functionKey));
    QVERIFY(button->shortcut().isEmpty());  // the window takes the key, on its release

    // The key it names works it, and so does the reader's press.
    play(*w, QStringLiteral("9 I ") + functionKey);
    QCOMPARE(label(*w, "lblB")->text(), button->text());
    play(*w, QStringLiteral("AC 9 I"));
    QVERIFY(actions->actionNames().contains(press));
    actions->doAction(press);
    QTRY_COMPARE(label(*w, "lblB")->text(), button->text());
}

void TestAccessibility::versionWindowIsADialog()
{
    action(*w, "nmuVer")->trigger();
    VersionDialog *v = VersionDialog::instance();
    QVERIFY(v);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(v);
    QCOMPARE(iface->role(), QAccessible::Dialog);
    QCOMPARE(iface->text(QAccessible::Name), v->windowTitle());
    VersionDialog::closeOpen();
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
