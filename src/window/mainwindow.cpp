#include "mainwindow.h"

#include "accessibility.h"
#include "clipboard.h"
#include "controltable.h"
#include "endings.h"
#include "historywindow.h"
#include "keyboard.h"
#include "versiondialog.h"
#include "windowframe.h"
#include "identity.h"
#include "desktop/cues.h"
#include "desktop/messagebox.h"
#include "desktop/opener.h"
#include "desktop/placement.h"
#include "desktop/settings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

QString textOf(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

}  // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("kavlo"));
    setWindowTitle(QLatin1String(Identity::ProductName) + QLatin1String("Ver") + QLatin1String(Identity::Version));
    setWindowIcon(ControlTable::applicationIcon());
    m_clipboard = new Clipboard(this);
    createControls();
    createMenus();
    connectActions();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    WindowFrame::frame(this);
    render();
    m_digitKeys[1]->setFocus();
    readSettings();
    new Keyboard(this);
    new Endings(this);
    // Once the window is up, the cues are readied, so that the first one sounds at once.
    QTimer::singleShot(250, this, [this] {
        if (m_soundAction->isChecked())
            Cues::prepare();
    });
}

MainWindow::~MainWindow()
{
    HistoryWindow::closeOpen();
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
    auto label = [&](const char *name) { return static_cast<QLabel *>(byName.value(QLatin1String(name))); };
    auto button = [&](const QString &name) { return static_cast<QPushButton *>(byName.value(name)); };
    m_entryDisplay = label("lblInput");
    m_firstFigureDisplay = label("lblA");
    m_thirdsDisplay = label("lblB");
    m_secondFigureDisplay = label("lblC");
    m_resultDisplay = label("lblD");
    m_firstFigureCaption = label("Label2");
    m_thirdsCaption = label("Label3");
    m_secondFigureCaption = label("Label4");
    m_resultCaption = label("Label5");
    for (int d = 0; d < 10; ++d)
        m_digitKeys[d] = button(QStringLiteral("cmd%1").arg(d));
    for (int t = 0; t < 3; ++t)
        m_thirdsKeys[t] = button(QStringLiteral("cmd%1").arg(t) + QLatin1Char('3'));
    m_clearEntryKey = button(QStringLiteral("cmdCan"));
    m_clearAllKey = button(QStringLiteral("cmdAC"));
    for (const Control &c : controls) {
        if (c.statistic)
            m_statisticKeys.append({findStatistic(c.statistic), button(QLatin1String(c.name))});
    }

    const std::pair<QLabel *, QLabel *> captioned[] = {
        {label("Label1"), m_entryDisplay},  {m_firstFigureCaption, m_firstFigureDisplay},
        {m_thirdsCaption, m_thirdsDisplay}, {m_secondFigureCaption, m_secondFigureDisplay},
        {m_resultCaption, m_resultDisplay},
    };
    for (const auto &[caption, display] : captioned) {
        Accessibility::describeDisplay(caption, display);
        m_clipboard->offerCopy(display);
    }
    // The window takes these keys for the thirds, when they are released.
    for (int t = 0; t < 3; ++t)
        Accessibility::describeFunctionKey(m_thirdsKeys[t], QKeySequence(Qt::Key(Qt::Key_F5 + t)));
}

void MainWindow::createMenus()
{
    auto action = [this](QWidget *menu, const char *name, const char *caption) {
        auto *a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        menu->addAction(a);
        return a;
    };
    // The bar in the window's own face, at the window's density, as the panel
    // is: in the desktop's font, which may be larger, the window's fixed width
    // would leave its last menus behind the bar's extension button.
    menuBar()->setFont(ControlTable::font(ControlTable::FontStyle::Menu));
    auto menu = [this](const char *name, const char *caption) {
        QMenu *m = menuBar()->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    QAction *exit = action(menuBar(), "nmuExit", "終了(&X)");
    connect(exit, &QAction::triggered, this, &MainWindow::exitChosen);
    QMenu *settings = menu("nmuSys", "設定(&S)");
    m_soundAction = action(settings, "nmuSound", "サウンド(&S)");
    QMenu *view = menu("nmuView", "表示(&V)");
    QAction *history = action(view, "nmuHistory", "計算履歴(&R)");
    connect(history, &QAction::triggered, this, &MainWindow::historyChosen);
    QMenu *help = menu("nmuHlp", "ヘルプ(&P)");
    QAction *html = action(help, "nmuHtml", "HTML形式ヘルプ(&B)");
    connect(html, &QAction::triggered, this, [this] { helpChosen(QStringLiteral("KAVLO.HTML")); });
    connect(action(help, "nmuText", "TEXT形式ヘルプ(&T)"), &QAction::triggered, this,
            [this] { helpChosen(QStringLiteral("KAVLO.TXT")); });
    connect(action(help, "nmuVer", "バ－ジョン情報(&V)"), &QAction::triggered, this, &MainWindow::versionChosen);

    // The keys that the window takes for these items (Keyboard), for the
    // menus and screen readers to name. As shortcuts they act only while the
    // menus have the keyboard, which the window leaves to them.
    const std::pair<QAction *, QKeySequence> named[] = {
        {exit, QKeySequence(Qt::ControlModifier | Qt::Key_Q)},
        {history, QKeySequence(Qt::ControlModifier | Qt::Key_H)},
        {html, QKeySequence(Qt::Key_F1)},
    };
    for (const auto &[a, key] : named) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetShortcut);
    }

    // The Sound switch is the item's own check mark, which it toggles when
    // chosen. Saved as it changes, it outlives even a display server that goes away.
    m_soundAction->setCheckable(true);
    m_soundAction->setChecked(true);
    connect(m_soundAction, &QAction::triggered, this, &Settings::saveSound);
}

void MainWindow::connectActions()
{
    for (int d = 0; d < 10; ++d)
        connect(m_digitKeys[d], &QPushButton::clicked, this, [this, d] { digitPressed(d); });
    for (int t = 0; t < 3; ++t)
        connect(m_thirdsKeys[t], &QPushButton::clicked, this, [this, t] { thirdsPressed(t); });
    for (const auto &[statistic, key] : std::as_const(m_statisticKeys)) {
        const Statistic *s = statistic;
        connect(key, &QPushButton::clicked, this, [this, s] { statisticPressed(*s); });
    }
    connect(m_clearEntryKey, &QPushButton::clicked, this, &MainWindow::clearEntryPressed);
    connect(m_clearAllKey, &QPushButton::clicked, this, &MainWindow::clearAllPressed);
}

void MainWindow::digitPressed(int digit)
{
    apply(m_calculator.enterDigit(digit));
}

void MainWindow::backspacePressed()
{
    apply(m_calculator.removeLastDigit());
}

void MainWindow::thirdsPressed(int thirds)
{
    apply(m_calculator.chooseThirds(thirds));
}

void MainWindow::statisticPressed(const Statistic &statistic)
{
    apply(m_calculator.pressStatistic(statistic));
}

void MainWindow::enterPressed()
{
    if (const Statistic *offered = m_calculator.offeredStatistic())
        statisticPressed(*offered);
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
        showMessage(this, m->text, m->kind == Message::Kind::NoEntry ? MessageIcon::Exclamation : MessageIcon::Stop,
                    QString::fromUtf8(Identity::MessageTitle));
    }
    if (outcome.result)
        m_history.add(*outcome.result);
    render();
    if (m_soundAction->isChecked())
        Cues::play(outcome.cue);
}

// Every caption, display and key follows from the calculator's state here,
// and nowhere else.
void MainWindow::render()
{
    const Calculator &c = m_calculator;
    const Statistic *worked = c.statistic();
    const bool done = c.step() == Step::Done;
    Accessibility::showOnDisplay(m_entryDisplay, c.entry());
    Accessibility::showOnDisplay(m_firstFigureDisplay, c.firstFigure());
    Accessibility::showOnDisplay(m_thirdsDisplay, c.thirds());
    Accessibility::showOnDisplay(m_secondFigureDisplay, c.secondFigure());
    Accessibility::showOnDisplay(m_resultDisplay, c.result());
    m_firstFigureCaption->setText(worked ? textOf(worked->firstFigure) : QString());
    m_thirdsCaption->setText(worked ? textOf(worked->thirds) : QString());
    m_secondFigureCaption->setText(done ? textOf(worked->secondFigure) : QString());
    m_resultCaption->setText(done ? textOf(worked->result) : QString());

    QList<std::pair<QPushButton *, bool>> keys;
    for (const auto &[statistic, key] : std::as_const(m_statisticKeys)) {
        // A statistic key names the figure it takes next.
        const bool second = worked == statistic && (c.step() == Step::AwaitingSecondFigure || done);
        key->setText(textOf(second ? statistic->secondKey : statistic->firstKey));
        keys.append({key, c.takesStatistic(*statistic)});
    }
    for (QPushButton *key : m_digitKeys)
        keys.append({key, c.takesDigitKeys()});
    for (QPushButton *key : m_thirdsKeys)
        keys.append({key, c.takesThirds()});
    setKeysEnabled(keys);
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
    const Settings::Saved saved = Settings::load();
    m_soundAction->setChecked(saved.sound);

    // Without a usable saved position the window opens where the desktop puts it.
    restorePosition(this, saved.position);
}

void MainWindow::saveSettings()
{
    Settings::saveOnExit(m_soundAction->isChecked(), savedPosition(this));
}

// The focus frame shows from the start on the key with the focus, as it does
// once Tab has moved it; showing the window hides it again.
void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    setAttribute(Qt::WA_KeyboardFocusChange);
}

// Every close request saves the settings and goes through, and the history
// window goes with the main window. An open version dialog stays; the
// program ends when it is closed too.
void MainWindow::closeEvent(QCloseEvent *event)
{
    saveSettings();
    HistoryWindow::closeOpen();
    event->accept();
}

void MainWindow::exitChosen()
{
    saveSettings();
    VersionDialog::closeOpen();
    HistoryWindow::closeOpen();
    // exit(), not quit(): quit() would first ask every window to close,
    // and the close request would save the settings a second time.
    QCoreApplication::exit(0);
}

void MainWindow::helpChosen(const QString &document)
{
    openDocument(this, QCoreApplication::applicationDirPath(), document, [this, document](qint32 r) {
        showMessage(this,
                    document + QStringLiteral(" を開くことができませんでした。 (") + QString::number(r)
                        + QLatin1Char(')'),
                    MessageIcon::None);
    });
}

void MainWindow::versionChosen()
{
    VersionDialog::open(this);
}

void MainWindow::historyChosen()
{
    // Queued: 終了 destroys the history window, whose shortcut asks for it.
    connect(HistoryWindow::open(&m_history, this), &HistoryWindow::exitChosen, this, &MainWindow::exitChosen,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
}

void MainWindow::copyPressed()
{
    Clipboard::copy(m_calculator.result().isEmpty() ? m_calculator.entry() : m_calculator.result());
}

void MainWindow::pastePressed()
{
    m_clipboard->paste();
}
