#include "kavlo.h"

#include "controltable.h"
#include "shell/module1.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

kavlo::kavlo(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("kavlo"));
    setWindowTitle(QStringLiteral("KavloVer2.0"));
    setWindowIcon(QIcon(ControlTable::IconResource));
    createControls();
    createMenus();
    connectHandlers();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    cmd[1]->setFocus();
    Form_Load();
    // Once the window is up, the cues are readied, so that the first one sounds at once.
    QTimer::singleShot(250, this, [this] {
        if (nmuSound->isChecked())
            Module1::PrepareSounds();
    });
}

void kavlo::createControls()
{
    using namespace ControlTable;
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(ClientWidth, client->logicalDpiX()), twipsToPixels(ClientHeight, client->logicalDpiY()));
    setCentralWidget(client);

    const QHash<QString, QWidget *> byName = ControlTable::createControls(controls.data(), controls.size(), client);

    auto label = [&](const char *name) { return static_cast<QLabel *>(byName.value(QLatin1String(name))); };
    auto button = [&](const char *name) { return static_cast<QPushButton *>(byName.value(QLatin1String(name))); };
    lblInput = label("lblInput");
    lblA = label("lblA");
    lblB = label("lblB");
    lblC = label("lblC");
    lblD = label("lblD");
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label5 = label("Label5");
    Label6 = label("Label6");
    Label7 = label("Label7");
    Label9 = label("Label9");
    Picture1 = label("Picture1");
    for (int d = 0; d < 10; ++d)
        cmd[d] = button(qPrintable(QStringLiteral("cmd%1").arg(d)));
    cmd03 = button("cmd03");
    cmd13 = button("cmd13");
    cmd23 = button("cmd23");
    cmdCan = button("cmdCan");
    cmdAC = button("cmdAC");
    cmdDaritu = button("cmdDaritu");
    cmdSyoritu = button("cmdSyoritu");
    comJiseki = button("comJiseki");

    for (size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(byName.value(QLatin1String(focusOrder[i - 1])), byName.value(QLatin1String(focusOrder[i])));
}

void kavlo::createMenus()
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

    // nmuSound_Click: a checkable action toggles its own check mark when it is
    // chosen, and that is all the Sound item does.
    nmuSound->setCheckable(true);
    nmuSound->setChecked(true);
}

void kavlo::connectHandlers()
{
    // cmd0_Click to cmd9_Click, and cmd03_Click, cmd13_Click, cmd23_Click.
    for (int d = 0; d < 10; ++d)
        connect(cmd[d], &QPushButton::clicked, this, [this, d] { AppendDigit(QChar('0' + d)); });
    connect(cmd03, &QPushButton::clicked, this, [this] { SetThirds(QStringLiteral("0/3")); });
    connect(cmd13, &QPushButton::clicked, this, [this] { SetThirds(QStringLiteral("1/3")); });
    connect(cmd23, &QPushButton::clicked, this, [this] { SetThirds(QStringLiteral("2/3")); });
    connect(cmdCan, &QPushButton::clicked, this, &kavlo::cmdCan_Click);
    connect(cmdAC, &QPushButton::clicked, this, &kavlo::cmdAC_Click);
    connect(cmdDaritu, &QPushButton::clicked, this, &kavlo::cmdDaritu_Click);
    connect(cmdSyoritu, &QPushButton::clicked, this, &kavlo::cmdSyoritu_Click);
    connect(comJiseki, &QPushButton::clicked, this, &kavlo::comJiseki_Click);
    connect(nmuExit, &QAction::triggered, this, &kavlo::nmuExit_Click);
    connect(nmuHtml, &QAction::triggered, this, &kavlo::nmuHtml_Click);
    connect(nmuText, &QAction::triggered, this, &kavlo::nmuText_Click);
    connect(nmuVer, &QAction::triggered, this, &kavlo::nmuVer_Click);
    qApp->installEventFilter(this);
}
