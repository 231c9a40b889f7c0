#include "support.h"

#include "panel/kavlo.h"

#include <QAction>
#include <QApplication>
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

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickDigits(kavlo &w, const QString &digits)
{
    for (QChar d : digits)
        click(w.cmd[d.digitValue()]);
}
