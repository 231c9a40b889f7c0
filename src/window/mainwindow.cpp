#include "mainwindow.h"

#include "accessibility.h"
#include "controltable.h"
#include "versiondialog.h"
#include "desktop/cues.h"
#include "desktop/messagebox.h"
#include "desktop/opener.h"
#include "desktop/placement.h"
#include "desktop/settings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

// What each statistic shows: its key's caption before and after its first
// figure is taken, and the captions beside its two figures and its result.
struct StatisticTexts {
    Statistic statistic;
    const char *firstKey, *secondKey, *firstFigure, *secondFigure, *result;
};
const StatisticTexts statisticTexts[] = {
    {Statistic::BattingAverage, "打数 (&D)", "安打 (&H)", "打数", "安打", "打率"},
    {Statistic::WinningPercentage, "勝 (&W)", "敗 (&L)", "勝", "敗", "勝率"},
    {Statistic::EarnedRunAverage, "回 (&I)", "自責点 (&J)", "投球回数", "自責点", "防御率"},
};

const StatisticTexts &textsOf(Statistic statistic)
{
    return statisticTexts[int(statistic)];
}

const QString DigitCue = QStringLiteral("kavlo1.wav");
const QString FunctionCue = QStringLiteral("kavlo2.wav");

// The settings store's application name.
const QString Application = QStringLiteral("KAVLO");

// A stored coordinate: a decimal 32-bit integer, or nothing.
std::optional<qint32> coordinate(const QString &text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok, 10);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("kavlo"));
    setWindowTitle(QStringLiteral("KavloVer2.0"));
    setWindowIcon(ControlTable::applicationIcon());
    createControls();
    createMenus();
    createCopyMenus();
    connectActions();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    render();
    digitKeys[1]->setFocus();
    readSettings();
    watchEndings();
    // Once the window is up, the cues are readied, so that the first one sounds at once.
    QTimer::singleShot(250, this, [this] {
        if (nmuSound->isChecked())
            Cues::prepare({DigitCue, FunctionCue});
    });
}

void MainWindow::createControls()
{
    using namespace ControlTable;
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(ClientWidth, client->logicalDpiX()),
                         twipsToPixels(ClientHeight, client->logicalDpiY()));
    setCentralWidget(client);

    const QHash<QString, QWidget *> byName = ControlTable::createControls(controls.data(), controls.size(), client);
    auto label = [&](const QString &name) { return static_cast<QLabel *>(byName.value(name)); };
    auto button = [&](const QString &name) { return static_cast<QPushButton *>(byName.value(name)); };
    lblInput = label(QStringLiteral("lblInput"));
    lblA = label(QStringLiteral("lblA"));
    lblB = label(QStringLiteral("lblB"));
    lblC = label(QStringLiteral("lblC"));
    lblD = label(QStringLiteral("lblD"));
    Label1 = label(QStringLiteral("Label1"));
    Label2 = label(QStringLiteral("Label2"));
    Label3 = label(QStringLiteral("Label3"));
    Label4 = label(QStringLiteral("Label4"));
    Label5 = label(QStringLiteral("Label5"));
    Label6 = label(QStringLiteral("Label6"));
    Label7 = label(QStringLiteral("Label7"));
    Label9 = label(QStringLiteral("Label9"));
    Picture1 = label(QStringLiteral("Picture1"));
    for (int d = 0; d < 10; ++d)
        digitKeys[d] = button(QStringLiteral("cmd%1").arg(d));
    for (int t = 0; t < 3; ++t)
        thirdsKeys[t] = button(QStringLiteral("cmd%1").arg(t) + QLatin1Char('3'));
    cmdCan = button(QStringLiteral("cmdCan"));
    cmdAC = button(QStringLiteral("cmdAC"));
    cmdDaritu = button(QStringLiteral("cmdDaritu"));
    cmdSyoritu = button(QStringLiteral("cmdSyoritu"));
    comJiseki = button(QStringLiteral("comJiseki"));

    for (size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(byName.value(QLatin1String(focusOrder[i - 1])), byName.value(QLatin1String(focusOrder[i])));
    Accessibility::describePanel(*this);
}

void MainWindow::createMenus()
{
    auto action = [this](QWidget *menu, const char *name, const char *caption) {
        auto *a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        menu->addAction(a);
        return a;
    };
    auto menu = [this](const char *name, const char *caption) {
        QMenu *m = menuBar()->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    nmuExit = action(menuBar(), "nmuExit", "終了(&X)");
    nmuSys = menu("nmuSys", "設定(&S)");
    nmuSound = action(nmuSys, "nmuSound", "サウンド(&S)");
    nmuHlp = menu("nmuHlp", "ヘルプ(&P)");
    nmuHtml = action(nmuHlp, "nmuHtml", "HTML形式ヘルプ(&B)");
    nmuText = action(nmuHlp, "nmuText", "TEXT形式ヘルプ(&T)");
    nmuVer = action(nmuHlp, "nmuVer", "バ－ジョン情報(&V)");

    // The Sound switch is the item's own check mark, which it toggles when
    // chosen; the new state is saved at once (watchEndings).
    nmuSound->setCheckable(true);
    nmuSound->setChecked(true);
}

void MainWindow::connectActions()
{
    for (int d = 0; d < 10; ++d)
        connect(digitKeys[d], &QPushButton::clicked, this, [this, d] { digitPressed(d); });
    for (int t = 0; t < 3; ++t)
        connect(thirdsKeys[t], &QPushButton::clicked, this, [this, t] { thirdsPressed(t); });
    for (const StatisticTexts &texts : statisticTexts) {
        const Statistic s = texts.statistic;
        connect(statisticKey(s), &QPushButton::clicked, this, [this, s] { statisticPressed(s); });
    }
    connect(cmdCan, &QPushButton::clicked, this, &MainWindow::clearEntryPressed);
    connect(cmdAC, &QPushButton::clicked, this, &MainWindow::clearAllPressed);
    connect(nmuExit, &QAction::triggered, this, &MainWindow::exitChosen);
    connect(nmuHtml, &QAction::triggered, this, [this] { helpChosen(QStringLiteral("KAVLO.HTML")); });
    connect(nmuText, &QAction::triggered, this, [this] { helpChosen(QStringLiteral("KAVLO.TXT")); });
    connect(nmuVer, &QAction::triggered, this, &MainWindow::versionChosen);
    qApp->installEventFilter(this);
}

void MainWindow::digitPressed(int digit)
{
    apply(m_calculator.enterDigit(digit));
}

void MainWindow::thirdsPressed(int thirds)
{
    apply(m_calculator.chooseThirds(thirds));
}

void MainWindow::statisticPressed(Statistic statistic)
{
    apply(m_calculator.pressStatistic(statistic));
}

void MainWindow::clearEntryPressed()
{
    apply(m_calculator.clearEntry());
}

void MainWindow::clearAllPressed()
{
    apply(m_calculator.clearAll());
}

void MainWindow::apply(const Outcome &outcome)
{
    if (const std::optional<Message> &m = outcome.message) {
        showMessage(this, m->text, m->icon == Message::Icon::Stop ? MessageIcon::Stop : MessageIcon::Exclamation,
                    m->title);
    }
    render();
    if (outcome.cue != Cue::None && nmuSound->isChecked())
        Cues::play(outcome.cue == Cue::Digit ? DigitCue : FunctionCue);
}

// Every caption, display and key follows from the calculator's state here,
// and nowhere else.
void MainWindow::render()
{
    const Calculator &c = m_calculator;
    const std::optional<Statistic> worked = c.statistic();
    const bool done = c.step() == Step::Done;
    Accessibility::showOnDisplay(lblInput, c.entry());
    Accessibility::showOnDisplay(lblA, c.firstFigure());
    Accessibility::showOnDisplay(lblB, c.thirds());
    Accessibility::showOnDisplay(lblC, c.secondFigure());
    Accessibility::showOnDisplay(lblD, c.result());
    Label2->setText(worked ? QString::fromUtf8(textsOf(*worked).firstFigure) : QString());
    Label3->setText(worked == Statistic::EarnedRunAverage ? QStringLiteral("回と") : QString());
    Label4->setText(done ? QString::fromUtf8(textsOf(*worked).secondFigure) : QString());
    Label5->setText(done ? QString::fromUtf8(textsOf(*worked).result) : QString());

    QList<std::pair<QPushButton *, bool>> keys;
    for (const StatisticTexts &texts : statisticTexts) {
        // A statistic key names the figure it takes next.
        const bool second = worked == texts.statistic && (c.step() == Step::AwaitingSecondFigure || done);
        QPushButton *key = statisticKey(texts.statistic);
        key->setText(QString::fromUtf8(second ? texts.secondKey : texts.firstKey));
        keys.append({key, c.takesStatistic(texts.statistic)});
    }
    for (QPushButton *key : digitKeys)
        keys.append({key, c.takesDigitKeys()});
    for (QPushButton *key : thirdsKeys)
        keys.append({key, c.takesThirds()});
    setKeysEnabled(keys);
}

QPushButton *MainWindow::statisticKey(Statistic statistic) const
{
    switch (statistic) {
    case Statistic::BattingAverage:
        return cmdDaritu;
    case Statistic::WinningPercentage:
        return cmdSyoritu;
    case Statistic::EarnedRunAverage:
        break;
    }
    return comJiseki;
}

// Disabling the key that has the focus makes Qt hand the focus on, key by key,
// through every key being disabled after it. Instead it moves once, forward in
// the tab order, to the first key that was usable and stays so.
void MainWindow::setKeysEnabled(const QList<std::pair<QPushButton *, bool>> &keys)
{
    auto enabledAfter = [&keys](const QWidget *widget) {
        for (const auto &[key, enabled] : keys) {
            if (key == widget)
                return enabled;
        }
        return widget->isEnabled();
    };
    QWidget *focus = focusWidget();
    if (focus && !enabledAfter(focus)) {
        for (QWidget *next = focus->nextInFocusChain(); next != focus; next = next->nextInFocusChain()) {
            if (next->window() == this && (next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(this)
                && next->isEnabled() && enabledAfter(next)) {
                next->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    for (const auto &[key, enabled] : keys)
        key->setEnabled(enabled);
}

// Restores the Sound switch and the window's position, as the window is built.
void MainWindow::readSettings()
{
    // True or False in any case; anything else counts as absent, and the cues are on.
    const QString sound = readSetting(Application, QStringLiteral("sound"), QStringLiteral("a"), QStringLiteral("True"));
    nmuSound->setChecked(sound.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0);

    // Without a usable saved position the window opens where the desktop puts it.
    const std::optional<qint32> x = coordinate(readSetting(Application, QStringLiteral("Startup"), QStringLiteral("X"), QString()));
    const std::optional<qint32> y = coordinate(readSetting(Application, QStringLiteral("Startup"), QStringLiteral("Y"), QString()));
    restorePosition(this, x && y ? std::optional<QPoint>(QPoint(*x, *y)) : std::nullopt);
}

void MainWindow::writeSettings()
{
    writeSoundSetting();
    const std::optional<QPoint> corner = savedPosition(this);
    if (!corner)
        return;
    writeSetting(Application, QStringLiteral("Startup"), QStringLiteral("X"), QString::number(corner->x()));
    writeSetting(Application, QStringLiteral("Startup"), QStringLiteral("Y"), QString::number(corner->y()));
}

void MainWindow::writeSoundSetting()
{
    writeSetting(Application, QStringLiteral("sound"), QStringLiteral("a"),
                 nmuSound->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
}

// Every close request saves the settings and goes through. An open version
// dialog stays; the program ends when it is closed too.
void MainWindow::closeEvent(QCloseEvent *event)
{
    writeSettings();
    event->accept();
}

void MainWindow::exitChosen()
{
    writeSettings();
    VersionDialog::closeOpen();
    // exit(), not quit(): quit() would first ask every window to close,
    // and the close request would save the settings a second time.
    QCoreApplication::exit(0);
}

void MainWindow::helpChosen(const QString &document)
{
    openDocument(this, QCoreApplication::applicationDirPath(), document, [this, document](qint32 r) {
        showMessage(this, document + QStringLiteral(" を開くことができませんでした。 (") + QString::number(r) + QLatin1Char(')'),
                    MessageIcon::None);
    });
}

void MainWindow::versionChosen()
{
    VersionDialog::open(this);
}
