// The main window as it opens, clearing, and the Sound switch.
#include "support.h"

#include "window/mainwindow.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestPanel : public WindowTest
{
    Q_OBJECT

    // Works the panel into a state, so that the keys can be tried in every state.
    void arrange(const QString &state);

private slots:

    void openingWindow();
    void fontsHaveJapaneseGlyphs();
    void menus();
    void accessibleNames();
    void tabWalksTheKeys();

    void cuePathIsBesideTheProgram();

    void clearing_data();
    void clearing();

    void soundSwitch();

    void realMessageBox_data();
    void realMessageBox();
};

void TestPanel::arrange(const QString &state)
{
    if (state == QLatin1String("Ready with entry")) {
        run(*w, QStringLiteral("42"));
    } else if (state == QLatin1String("Awaiting thirds")) {
        run(*w, QStringLiteral("9 I"));
    } else if (state == QLatin1String("Done")) {
        run(*w, QStringLiteral("10 D 3 D"));
        w->digitPressed(7);  // typed: the digit keys are locked in Done
    }
}

void TestPanel::openingWindow()
{
    QCOMPARE(w->objectName(), QStringLiteral("kavlo"));
    QCOMPARE(w->windowTitle(), QStringLiteral("KavloVer2.0"));
    QVERIFY(!w->windowIcon().isNull());
    const Qt::WindowFlags f = w->windowFlags();
    QVERIFY(f & Qt::WindowMinimizeButtonHint);
    QVERIFY(f & Qt::WindowCloseButtonHint);
    QVERIFY(f & Qt::WindowSystemMenuHint);
    QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QCOMPARE(QApplication::focusWidget(), w->digitKeys[1]);
    QCOMPARE(panelState(*w), QStringLiteral("in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-"));

    // The displays: light orange for the entry and the result, white for the figures, sunken.
    const QColor orange(255, 224, 192);
    for (QLabel *display : {w->lblInput, w->lblA, w->lblB, w->lblC, w->lblD}) {
        QVERIFY(display->autoFillBackground());
        QCOMPARE(display->palette().color(QPalette::Window),
                 display == w->lblInput || display == w->lblD ? orange : QColor(Qt::white));
        QCOMPARE(display->frameShadow(), QFrame::Sunken);
    }
    // Captions end against their displays.
    for (QLabel *caption : {w->Label1, w->Label2, w->Label3, w->Label4, w->Label5})
        QCOMPARE(caption->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    const QPixmap icon = w->Picture1->pixmap();
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(!icon.hasAlphaChannel());
    QCOMPARE(w->Picture1->frameStyle(), int(QFrame::WinPanel | QFrame::Sunken));
    for (const QPushButton *b : w->findChildren<QPushButton *>())
        QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));
}

void TestPanel::fontsHaveJapaneseGlyphs()
{
    const struct {
        QWidget *widget;
        qreal points;
        bool japanese;
    } rows[] = {
        {w->lblInput, 12, false}, {w->lblD, 12, false}, {w->digitKeys[7], 10.2, false},
        {w->cmdCan, 10.2, true}, {w->cmdDaritu, 10.2, true}, {w->Label1, 9, true}, {w->thirdsKeys[1], 9, true},
    };
    for (const auto &r : rows) {
        const QFont f = r.widget->font();
        QCOMPARE(f.pointSizeF(), r.points);
        QVERIFY(f.bold());
        QVERIFY(!f.italic() && !f.underline() && !f.strikeOut());
        if (r.japanese) {
            QVERIFY2(QFontMetrics(f).inFont(QChar(0x6253)), qPrintable(QFontInfo(f).family()));  // 打
            QVERIFY2(QFontMetrics(f).inFont(QChar(0x52dd)), qPrintable(QFontInfo(f).family()));  // 勝
        } else {
            QVERIFY2(QStringList({"Times New Roman", "Liberation Serif"}).contains(QFontInfo(f).family()),
                     qPrintable(QFontInfo(f).family()));
        }
    }
}

void TestPanel::menus()
{
    // Exit stands directly on the menu bar; Sound and the help items in drop-downs.
    const QList<QAction *> top = w->menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[0], w->nmuExit);
    QVERIFY(!w->nmuExit->menu());
    QCOMPARE(top[1]->menu(), w->nmuSys);
    QCOMPARE(top[2]->menu(), w->nmuHlp);
    QCOMPARE(w->nmuSys->actions(), QList<QAction *>({w->nmuSound}));
    QCOMPARE(w->nmuHlp->actions(), QList<QAction *>({w->nmuHtml, w->nmuText, w->nmuVer}));
    QVERIFY(w->nmuSound->isCheckable() && w->nmuSound->isChecked());
    QCOMPARE(w->nmuVer->text(), QStringLiteral("バ\uff0dジョン情報(&V)"));  // a full-width hyphen
}

void TestPanel::accessibleNames()
{
    const struct {
        QWidget *widget;
        const char *name;
    } rows[] = {
        {w->lblInput, "入力画面"}, {w->cmdCan, "C (C)"}, {w->cmdAC, "AC (A)"}, {w->cmdDaritu, "打数 (D)"},
        {w->digitKeys[4], "4"}, {w->thirdsKeys[2], "2/3"},
    };
    for (const auto &r : rows) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(r.widget);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), QString::fromUtf8(r.name));
    }
    for (QLabel *display : {w->lblA, w->lblB, w->lblC, w->lblD, w->Picture1})
        QVERIFY2(!display->accessibleName().isEmpty(), qPrintable(display->objectName()));

    // The name follows the caption when a statistic moves on.
    w->cmdDaritu->setText(QStringLiteral("安打 (&H)"));
    QCOMPARE(QAccessible::queryAccessibleInterface(w->cmdDaritu)->text(QAccessible::Name), QStringLiteral("安打 (H)"));
}

void TestPanel::tabWalksTheKeys()
{
    const QImage unfocusedIcon = w->Picture1->grab().toImage();
    QImage focusedIcon;
    QStringList walked;
    for (int i = 0; i < 17; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
        if (QApplication::focusWidget() == w->Picture1)
            focusedIcon = w->Picture1->grab().toImage();
    }
    QCOMPARE(walked, QStringList({"cmd2", "cmd3", "cmd4", "cmd5", "cmd6", "cmd7", "cmd8", "cmd9", "cmd0", "cmdCan",
                                  "cmdSyoritu", "cmdDaritu", "comJiseki", "cmdAC", "Picture1", "cmd1", "cmd2"}));
    // The icon box shows that it has the focus, and only then.
    QVERIFY(focusedIcon != unfocusedIcon);
    QCOMPARE(w->Picture1->grab().toImage(), unfocusedIcon);
}

void TestPanel::cuePathIsBesideTheProgram()
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    run(*w, QStringLiteral("3 D"));
    QDir::setCurrent(before);
    const QString dir = QApplication::applicationDirPath();
    QCOMPARE(rec->cuePaths, QStringList({dir + "/kavlo1.wav", dir + "/kavlo2.wav"}));
}

void TestPanel::clearing_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("Ready") << "Ready";
    QTest::newRow("Ready with entry") << "Ready with entry";
    QTest::newRow("Awaiting thirds") << "Awaiting thirds";
    QTest::newRow("Done") << "Done";
}

void TestPanel::clearing()
{
    QFETCH(QString, state);
    const QStringList opening = snapshot(*w);
    arrange(state);
    rec->cues.clear();

    // C empties the entry and touches nothing else.
    QStringList expected = snapshot(*w);
    expected.replaceInStrings(QRegularExpression("^lblInput=.*"), QStringLiteral("lblInput="));
    click(w->cmdCan);
    QCOMPARE(snapshot(*w), expected);
    click(w->cmdCan);
    QCOMPARE(snapshot(*w), expected);

    // AC restores the opening state, Sound included, wherever it starts.
    w->nmuSound->setChecked(false);
    arrange(state);
    click(w->cmdAC);
    QStringList openingSoundOff = opening;
    openingSoundOff.replaceInStrings(QStringLiteral("sound=on"), QStringLiteral("sound=off"));
    QCOMPARE(snapshot(*w), openingSoundOff);
    QVERIFY(rec->cues.isEmpty());
    QVERIFY(rec->messages.isEmpty());
}

void TestPanel::soundSwitch()
{
    const QStringList before = snapshot(*w);
    w->nmuSound->trigger();
    QVERIFY(!w->nmuSound->isChecked());
    clickDigits(*w, QStringLiteral("12"));
    arrange(QStringLiteral("Awaiting thirds"));
    click(w->thirdsKeys[2]);
    QVERIFY(rec->cues.isEmpty());

    click(w->cmdAC);
    QVERIFY(!w->nmuSound->isChecked());
    w->nmuSound->trigger();
    QCOMPARE(snapshot(*w), before);
    QVERIFY(rec->cues.isEmpty());
    click(w->digitKeys[8]);
    QCOMPARE(rec->cues, QList<Cue>({Cue::Digit}));
}

void TestPanel::realMessageBox_data()
{
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shownTitle");
    QTest::newRow("stop") << int(MessageIcon::Stop) << "Kavlo" << int(QMessageBox::Critical) << "Kavlo";
    QTest::newRow("exclamation") << int(MessageIcon::Exclamation) << "Kavlo" << int(QMessageBox::Warning) << "Kavlo";
    QTest::newRow("no icon, no title") << int(MessageIcon::None) << "" << int(QMessageBox::NoIcon) << "KAVLO";
}

void TestPanel::realMessageBox()
{
    QFETCH(int, asked);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, shownTitle);

    rec.reset();  // the real box this time
    QMessageBox *seen = nullptr;
    QString seenTitle;
    QTimer::singleShot(0, this, [&] {
        seen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!seen)
            return;
        seenTitle = seen->windowTitle();
        QCOMPARE(seen->icon(), QMessageBox::Icon(icon));
        QCOMPARE(seen->text(), QStringLiteral("テスト"));
        QCOMPARE(seen->standardButtons(), QMessageBox::Ok);
        QCOMPARE(seen->windowModality(), Qt::ApplicationModal);
        QCOMPARE(seen->parentWidget(), w.get());
        seen->accept();
    });
    showMessage(w.get(), QStringLiteral("テスト"), MessageIcon(asked), title);
    QVERIFY(seen);
    QCOMPARE(seenTitle, shownTitle);
    rec = std::make_unique<Recorder>();
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
