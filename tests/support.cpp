#include "support.h"

#include "panel/kavlo.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

void prepareApplication()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("KAVLO"));
    QApplication::setApplicationName(QStringLiteral("KAVLO"));
}

char *toString(const Message &m)
{
    return QTest::toString(QStringLiteral("[%1] %2 (%3)").arg(m.title, m.text).arg(int(m.style)));
}

Recorder::Recorder()
{
    setMsgBoxHandler([this](QWidget *owner, const QString &text, MsgStyle style, const QString &title) {
        messages.append({owner, text, style, title});
    });
    Module1::setCuePlayer([this](Module1::Cue cue, const QString &path) {
        cues.append(cue);
        cuePaths.append(path);
    });
}

Recorder::~Recorder()
{
    setMsgBoxHandler({});
    Module1::setCuePlayer({});
}

ModalWatchdog::ModalWatchdog()
{
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, this, [this] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            seen.append(modal->windowTitle() + QLatin1String(": ") + (box ? box->text() : QString()));
            modal->close();
        }
    });
    timer.start();
}

QStringList snapshot(const kavlo &w)
{
    QStringList s;
    for (const QLabel *l : w.findChildren<QLabel *>())
        s << l->objectName() + QLatin1Char('=') + l->text();
    for (const QPushButton *b : w.findChildren<QPushButton *>())
        s << b->objectName() + QLatin1Char('=') + b->text() + (b->isEnabled() ? QLatin1String(" on") : QLatin1String(" off"));
    s << (w.nmuSound->isChecked() ? QStringLiteral("sound=on") : QStringLiteral("sound=off"));
    s << QStringLiteral("inputLength=%1 previousInput=%2").arg(w.inputLength).arg(w.previousInput);
    return s;
}

QString panelState(const kavlo &w)
{
    auto keys = [](auto list) {
        int on = 0;
        for (const QPushButton *b : list)
            on += b->isEnabled();
        return on == 0 ? QLatin1Char('-') : on == int(list.size()) ? QLatin1Char('+') : QLatin1Char('?');
    };
    auto button = [](const QPushButton *b) { return b->text() + (b->isEnabled() ? QLatin1Char('+') : QLatin1Char('-')); };
    return QStringLiteral("in:%1 A:%2 B:%3 C:%4 D:%5 | %6/%7/%8/%9 | ")
               .arg(w.lblInput->text(), w.lblA->text(), w.lblB->text(), w.lblC->text(), w.lblD->text(),
                    w.Label2->text(), w.Label3->text(), w.Label4->text(), w.Label5->text())
           + QStringList({button(w.cmdDaritu), button(w.cmdSyoritu), button(w.comJiseki)}).join(QLatin1Char(' '))
           + QStringLiteral(" | digits") + keys(w.cmd)
           + QStringLiteral(" thirds") + keys(std::array<QPushButton *, 3>{w.cmd03, w.cmd13, w.cmd23});
}

void run(kavlo &w, const QString &script)
{
    const QHash<QString, QPushButton *> keys = {
        {"D", w.cmdDaritu}, {"W", w.cmdSyoritu}, {"I", w.comJiseki}, {"0/3", w.cmd03},
        {"1/3", w.cmd13},   {"2/3", w.cmd23},    {"C", w.cmdCan},    {"AC", w.cmdAC},
    };
    for (const QString &token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (QPushButton *key = keys.value(token))
            click(key);
        else
            clickDigits(w, token);
    }
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickDigits(kavlo &w, const QString &digits)
{
    for (QChar d : digits)
        click(w.cmd[d.digitValue()]);
}

void WindowTest::openWindow()
{
    rec = std::make_unique<Recorder>();
    watchdog = std::make_unique<ModalWatchdog>();
    w = std::make_unique<kavlo>();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void WindowTest::closeWindow()
{
    w.reset();
    QVERIFY2(watchdog->seen.isEmpty(), qPrintable(watchdog->seen.join(QLatin1Char('\n'))));
    watchdog.reset();
    rec.reset();
}
