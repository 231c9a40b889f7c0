// Figures in and out through the real clipboard: what Ctrl+C and each
// display's context menu copy in each state, what Ctrl+V and Shift+Insert key
// from each text in each state, and that the keys act whatever control of the
// window has the focus (tst_keyboard and tst_ver try them in a message box and
// the version window).
#include "support.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScopeGuard>
#include <QTest>

namespace {

// On the clipboard before each action, so that an action that copies nothing can be told apart.
const QString Before = QStringLiteral("(before)");

QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

void pressCopy(QWidget *target = focused())
{
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
}

void pressPaste(QWidget *target = focused(), bool shiftInsert = false)
{
    if (shiftInsert)
        QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
    else
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

// The states the tables start from, as scripts for play(); t:42 types 4 and 2.
const struct State {
    const char *name, *script;
} Ready{"Ready", ""}, Thirds{"thirds awaited", "9 I"}, Result{"result", "10 D 3 D"},
    AfterResult{"result, then typed digits", "10 D 3 D t:42"};

}  // namespace

class TestClipboard : public WindowTest
{
    Q_OBJECT

    void enter(const QString &script)
    {
        play(*w, script);
        clipboard()->setText(Before);
    }

private slots:
    void copyKey_data();
    void copyKey();
    void copyMenu_data();
    void copyMenu();
    void paste_data();
    void paste();
    void keysActWhateverHasTheFocus();
};

// clang-format off
void TestClipboard::copyKey_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("copied");  // Before when nothing is

    const struct {
        const char *name, *locale, *script, *copied;
    } rows[] = {
        {"nothing keyed", "C", "", nullptr},
        {"entry, leading zeros", "C", "007", "007"},
        {"entry cleared", "C", "12 C", nullptr},
        {"first figure taken", "C", "10 D", nullptr},
        {"thirds awaited", "C", "9 I", nullptr},
        {"second figure keyed", "C", "10 D 3", "3"},
        {"hits refused", "C", "3 D 5 D", nullptr},
        {"batting result", "C", "10 D 3 D", "0.300"},
        {"result, then typed digits", "C", AfterResult.script, "0.300"},
        {"ERA result", "C", "9 I 1/3 2 I", "1.93"},
        {"ERA result, decimal comma", "de_DE", "9 I 1/3 2 I", "1,93"},
        {"all cleared, then keyed", "C", "10 D 3 D AC 5", "5"},
    };
    for (const auto &r : rows) {
        QTest::newRow(r.name) << QString::fromLatin1(r.locale) << QString::fromLatin1(r.script)
                              << (r.copied ? QString::fromLatin1(r.copied) : Before);
    }
}
// clang-format on

void TestClipboard::copyKey()
{
    QFETCH(QString, locale);
    QFETCH(QString, script);
    QFETCH(QString, copied);

    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    enter(script);
    const QString shown = panel(*w, Detail::Full);
    const qsizetype cues = rec->cues.size();
    pressCopy();
    QCOMPARE(clipboard()->text(), copied);
    clipboard()->setText(Before);
    QTest::keyClick(focused(), Qt::Key_Insert, Qt::ControlModifier);  // the other copy key
    QCOMPARE(clipboard()->text(), copied);
    QCOMPARE(panel(*w, Detail::Full), shown);
    QCOMPARE(rec->cues.size(), cues);
    QCOMPARE(rec->alerts, 0);
}

// clang-format off
void TestClipboard::copyMenu_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("shown");  // empty: the item is disabled

    const struct {
        State state;
        const char *shown[5];  // lblInput, lblA, lblB, lblC, lblD
    } rows[] = {
        {Ready, {"", "", "", "", ""}},
        {{"entry", "007"}, {"007", "", "", "", ""}},
        {Thirds, {"", "9", "", "", ""}},
        {{"runs keyed", "9 I 1/3 2"}, {"2", "9", "1/3", "", ""}},
        {{"ERA result", "9 I 1/3 2 I"}, {"", "9", "1/3", "2", "1.93"}},
        {AfterResult, {"42", "10", "", "3", "0.300"}},
    };
    const char *displays[] = {"lblInput", "lblA", "lblB", "lblC", "lblD"};
    for (const auto &r : rows) {
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("%s, %s", r.state.name, displays[i])
                << QString::fromLatin1(r.state.script) << QString::fromLatin1(displays[i]) << QString::fromLatin1(r.shown[i]);
        }
    }
}
// clang-format on

// The menu is opened and its item chosen with the mouse, as a user would.
void TestClipboard::copyMenu()
{
    QFETCH(QString, script);
    QFETCH(QString, display);
    QFETCH(QString, shown);

    enter(script);
    const QLabel *shownIn = label(*w, display);
    QCOMPARE(shownIn->text(), shown);
    // Through the window, which turns a right-button press into a context menu request.
    QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, shownIn->mapTo(w.get(), shownIn->rect().center()));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 1);
    QAction *copy = menu->actions().constFirst();
    QCOMPARE(copy->objectName(), QStringLiteral("nmuCopy"));
    QCOMPARE(copy->text(), QStringLiteral("コピー(&C)"));
    QCOMPARE(copy->isEnabled(), !shown.isEmpty());

    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(copy).center());
    if (shown.isEmpty())
        QTest::keyClick(menu, Qt::Key_Escape);  // a disabled item leaves the menu open
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(clipboard()->text(), shown.isEmpty() ? Before : shown);
}

// clang-format off
void TestClipboard::paste_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shiftInsert");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("digitCues");
    QTest::addColumn<int>("alerts");

    // A figure is keyed like typed digits: turned away while the thirds are
    // awaited, taken after a result. Anything else is refused with an alert.
    const QString texts[] = {"42", " 42\n", "４２", "123456", "3.5", "-1", "", "abc"};
    for (const State &s : {Ready, Thirds, Result}) {
        for (const QString &text : texts) {
            const bool figure = text.trimmed() == QLatin1String("42") || text == QStringLiteral("４２");
            const bool taken = figure && s.script != Thirds.script;
            QTest::addRow("%s, \"%s\"", s.name, qPrintable(QString(text).replace(u'\n', QStringLiteral("\\n"))))
                << QString::fromLatin1(s.script) << text << false << (taken ? QStringLiteral("42") : QString())
                << (taken ? 2 : 0) << (figure ? 0 : 1);
        }
    }
    // The paste goes on from the entry, and stops at the fifth digit.
    QTest::newRow("onto an entry") << "t:123" << "456" << false << "12345" << 2 << 0;
    QTest::newRow("onto a full entry") << "t:12345" << "6" << false << "12345" << 0 << 0;
    QTest::newRow("leading zeros") << "" << "００７" << false << "007" << 3 << 0;
    QTest::newRow("full-width ends") << "" << "９０" << false << "90" << 2 << 0;
    QTest::newRow("refused onto an entry") << "t:12" << "4 2" << false << "12" << 0 << 1;
    QTest::newRow("Shift+Insert") << "" << "42" << true << "42" << 2 << 0;
    QTest::newRow("Shift+Insert refused") << "" << "abc" << true << "" << 0 << 1;
    QTest::newRow("Shift+Insert, thirds awaited") << "9 I" << "42" << true << "" << 0 << 0;
}
// clang-format on

void TestClipboard::paste()
{
    QFETCH(QString, script);
    QFETCH(QString, text);
    QFETCH(bool, shiftInsert);
    QFETCH(QString, entry);
    QFETCH(int, digitCues);
    QFETCH(int, alerts);

    enter(script);
    auto besideTheEntry = [this] { return panel(*w, Detail::Full).remove(QRegularExpression("^in:[0-9]*")); };
    const QString beside = besideTheEntry();
    const int digits = rec->count(Cue::Digit);
    const int functions = rec->count(Cue::Function);
    clipboard()->setText(text);
    pressPaste(focused(), shiftInsert);
    QCOMPARE(label(*w, "lblInput")->text(), entry);
    QCOMPARE(rec->count(Cue::Digit) - digits, digitCues);
    QCOMPARE(rec->count(Cue::Function), functions);
    QCOMPARE(rec->alerts, alerts);
    QCOMPARE(besideTheEntry(), beside);
    QCOMPARE(clipboard()->text(), text);
    QVERIFY(rec->messages.isEmpty());
}

void TestClipboard::keysActWhateverHasTheFocus()
{
    QString entry;
    for (const char *name : {"cmdAC", "cmdCan", "comJiseki", "Picture1", "cmd9"}) {
        QWidget *target = child(*w, name);
        target->setFocus();
        QCOMPARE(focused(), target);
        clipboard()->setText(QStringLiteral("1"));
        pressPaste(target);
        entry += QLatin1Char('1');
        pressCopy(target);
        QCOMPARE(clipboard()->text(), entry);
    }
    play(*w, QStringLiteral("C 9 I @cmd13"));
    clipboard()->setText(QStringLiteral("abc"));
    pressPaste(key(*w, "cmd13"), true);
    QCOMPARE(rec->alerts, 1);
    play(*w, QStringLiteral("1/3 2 I"));
    QCOMPARE(focused(), key(*w, "cmdAC"));  // the only key left
    pressCopy(focused());
    QCOMPARE(clipboard()->text(), QStringLiteral("1.93"));
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
