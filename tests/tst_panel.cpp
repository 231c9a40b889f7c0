// The main window as it opens, clearing, and the Sound switch.
#include "support.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

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
        play(*w, QStringLiteral("42"));
    } else if (state == QLatin1String("Awaiting thirds")) {
        play(*w, QStringLiteral("9 I"));
    } else if (state == QLatin1String("Done")) {
        play(*w, QStringLiteral("10 D 3 D"));
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
    QCOMPARE(QApplication::focusWidget(), key(*w, "cmd1"));
    QCOMPARE(panel(*w), QStringLiteral("in: A: B: C: D: | /// | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | digits+ thirds-"));

    // The displays: light orange for the entry and the result, white for the figures, sunken.
    const QColor orange(255, 224, 192);
    for (const char *name : {"lblInput", "lblA", "lblB", "lblC", "lblD"}) {
        const QLabel *display = label(*w, name);
        QVERIFY(display->autoFillBackground());
        QCOMPARE(display->palette().color(QPalette::Window),
                 name == QLatin1String("lblInput") || name == QLatin1String("lblD") ? orange : QColor(Qt::white));
        QCOMPARE(display->frameShadow(), QFrame::Sunken);
    }
    // Captions end against their displays.
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5"})
        QCOMPARE(label(*w, name)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    const QPixmap icon = label(*w, "Picture1")->pixmap();
    QCOMPARE(icon.size(), QSize(32, 32));
    QVERIFY(!icon.hasAlphaChannel());
    QCOMPARE(label(*w, "Picture1")->frameStyle(), int(QFrame::WinPanel | QFrame::Sunken));
    for (const QPushButton *b : w->findChildren<QPushButton *>())
        QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));
}

void TestPanel::fontsHaveJapaneseGlyphs()
{
    // clang-format off
    const struct {
        const char *name;
        qreal points;
        bool japanese;
    } rows[] = {
        {"lblInput", 12, false}, {"lblD", 12, false}, {"cmd7", 10.2, false},
        {"cmdCan", 10.2, true}, {"cmdDaritu", 10.2, true}, {"Label1", 9, true}, {"cmd13", 9, true},
    };
    // clang-format on
    // Windows names the gothic in English or in Japanese by its locale; the
    // Windows tests' prefix has it as a copy of IPA P Gothic, which Linux uses.
    const QStringList gothic = QGuiApplication::platformName() == QLatin1String("windows")
        ? QStringList({"ＭＳ Ｐゴシック", "MS PGothic"})
        : QStringList({"IPAPGothic"});
    for (const auto &r : rows) {
        const QFont f = child(*w, r.name)->font();
        QCOMPARE(f.pointSizeF(), r.points);
        QVERIFY(f.bold());
        QVERIFY(!f.italic() && !f.underline() && !f.strikeOut());
        if (r.japanese) {
            QVERIFY2(QFontMetrics(f).inFont(QChar(0x6253)), qPrintable(QFontInfo(f).family()));  // 打
            QVERIFY2(QFontMetrics(f).inFont(QChar(0x52dd)), qPrintable(QFontInfo(f).family()));  // 勝
            QVERIFY2(gothic.contains(QFontInfo(f).family()), qPrintable(QFontInfo(f).family()));
        } else {
            QVERIFY2(QStringList({"Times New Roman", "Liberation Serif"}).contains(QFontInfo(f).family()),
                     qPrintable(QFontInfo(f).family()));
        }
    }
}

void TestPanel::menus()
{
    // Exit stands directly on the menu bar; Sound, the history and the help items in drop-downs.
    const QList<QAction *> top = w->menuBar()->actions();
    QCOMPARE(top.size(), 4);
    QCOMPARE(top[0], action(*w, "nmuExit"));
    QVERIFY(!top[0]->menu());
    QCOMPARE(top[1]->menu(), child<QMenu>(*w, "nmuSys"));
    QCOMPARE(top[2]->menu(), child<QMenu>(*w, "nmuView"));
    QCOMPARE(top[3]->menu(), child<QMenu>(*w, "nmuHlp"));
    QCOMPARE(top[1]->menu()->actions(), QList<QAction *>({action(*w, "nmuSound")}));
    QCOMPARE(top[2]->menu()->title(), QStringLiteral("表示(&V)"));
    QCOMPARE(top[2]->menu()->actions(), QList<QAction *>({action(*w, "nmuHistory")}));
    QCOMPARE(action(*w, "nmuHistory")->text(), QStringLiteral("計算履歴(&R)"));
    QCOMPARE(top[3]->menu()->actions(),
             QList<QAction *>({action(*w, "nmuHtml"), action(*w, "nmuText"), action(*w, "nmuVer")}));
    QVERIFY(action(*w, "nmuSound")->isCheckable() && action(*w, "nmuSound")->isChecked());
    QCOMPARE(action(*w, "nmuVer")->text(), QStringLiteral("バ\uff0dジョン情報(&V)"));  // a full-width hyphen
}

void TestPanel::accessibleNames()
{
    // clang-format off
    const struct {
        const char *control, *name;
    } rows[] = {
        {"lblInput", "入力画面"}, {"cmdCan", "C (C)"}, {"cmdAC", "AC (A)"}, {"cmdDaritu", "打数 (D)"},
        {"cmd4", "4"}, {"cmd23", "2/3"},
    };
    // clang-format on
    for (const auto &r : rows) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(child(*w, r.control));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), QString::fromUtf8(r.name));
    }
    for (const char *display : {"lblA", "lblB", "lblC", "lblD", "Picture1"})
        QVERIFY2(!label(*w, display)->accessibleName().isEmpty(), display);

    // The name follows the caption when a statistic moves on.
    QPushButton *batting = key(*w, "cmdDaritu");
    batting->setText(QStringLiteral("安打 (&H)"));
    QCOMPARE(QAccessible::queryAccessibleInterface(batting)->text(QAccessible::Name), QStringLiteral("安打 (H)"));
}

void TestPanel::tabWalksTheKeys()
{
    QLabel *icon = label(*w, "Picture1");
    const QImage unfocusedIcon = icon->grab().toImage();
    QImage focusedIcon;
    QStringList walked;
    for (int i = 0; i < 17; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
        if (QApplication::focusWidget() == icon)
            focusedIcon = icon->grab().toImage();
    }
    QCOMPARE(walked,
             QStringList({"cmd2", "cmd3", "cmd4", "cmd5", "cmd6", "cmd7", "cmd8", "cmd9", "cmd0", "cmdCan",
                          "cmdSyoritu", "cmdDaritu", "comJiseki", "cmdAC", "Picture1", "cmd1", "cmd2"}));
    // The icon box shows that it has the focus, and only then.
    QVERIFY(focusedIcon != unfocusedIcon);
    QCOMPARE(icon->grab().toImage(), unfocusedIcon);
}

void TestPanel::cuePathIsBesideTheProgram()
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    play(*w, QStringLiteral("3 D"));
    QDir::setCurrent(before);
    const QString dir = QApplication::applicationDirPath();
    QCOMPARE(rec->cuePaths, QStringList({dir + "/kavlo1.wav", dir + "/kavlo2.wav"}));
}

// clang-format off
void TestPanel::clearing_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("Ready") << "Ready";
    QTest::newRow("Ready with entry") << "Ready with entry";
    QTest::newRow("Awaiting thirds") << "Awaiting thirds";
    QTest::newRow("Done") << "Done";
}
// clang-format on

void TestPanel::clearing()
{
    QFETCH(QString, state);
    const QString opening = panel(*w, Detail::Full);
    arrange(state);
    rec->cues.clear();

    // C empties the entry and touches nothing else.
    const QString expected = panel(*w, Detail::Full).replace(QRegularExpression("^in:[0-9]*"), QStringLiteral("in:"));
    play(*w, QStringLiteral("C"));
    QCOMPARE(panel(*w, Detail::Full), expected);
    play(*w, QStringLiteral("C"));
    QCOMPARE(panel(*w, Detail::Full), expected);

    // AC restores the opening state, Sound included, wherever it starts.
    action(*w, "nmuSound")->setChecked(false);
    arrange(state);
    play(*w, QStringLiteral("AC"));
    QCOMPARE(panel(*w, Detail::Full), QString(opening).replace(QLatin1String("sound:on"), QLatin1String("sound:off")));
    QVERIFY(rec->cues.isEmpty());
    QVERIFY(rec->messages.isEmpty());
}

void TestPanel::soundSwitch()
{
    const QString before = panel(*w, Detail::Full);
    QAction *sound = action(*w, "nmuSound");
    sound->trigger();
    QVERIFY(!sound->isChecked());
    play(*w, QStringLiteral("12"));
    arrange(QStringLiteral("Awaiting thirds"));
    play(*w, QStringLiteral("2/3"));
    QVERIFY(rec->cues.isEmpty());

    play(*w, QStringLiteral("AC"));
    QVERIFY(!sound->isChecked());
    sound->trigger();
    QCOMPARE(panel(*w, Detail::Full), before);
    QVERIFY(rec->cues.isEmpty());
    play(*w, QStringLiteral("8"));
    QCOMPARE(rec->cues, QList<Cue>({Cue::Digit}));
}

// clang-format off
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
// clang-format on

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
