#include "support.h"

#include "desktop/alert.h"
#include "desktop/cues.h"

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

char *toString(const Shown &m)
{
    return QTest::toString(QStringLiteral("[%1] %2 (icon %3)").arg(m.title, m.text).arg(int(m.icon)));
}

Recorder::Recorder()
{
    setMessageHandler([this](QWidget *owner, const QString &text, MessageIcon icon, const QString &title) {
        messages.append({owner, text, icon, title});
    });
    Cues::setPlayer([this](const QString &path) {
        cues.append(path.endsWith(QLatin1String("/kavlo1.wav")) ? Cue::Digit : Cue::Function);
        cuePaths.append(path);
    });
    setAlertHandler([this] { ++alerts; });
}

Recorder::~Recorder()
{
    setMessageHandler({});
    Cues::setPlayer({});
    setAlertHandler({});
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

QStringList snapshot(const MainWindow &w)
{
    QStringList s;
    for (const QLabel *l : w.findChildren<QLabel *>())
        s << l->objectName() + QLatin1Char('=') + l->text();
    for (const QPushButton *b : w.findChildren<QPushButton *>())
        s << b->objectName() + QLatin1Char('=') + b->text() + (b->isEnabled() ? QLatin1String(" on") : QLatin1String(" off"));
    s << (w.nmuSound->isChecked() ? QStringLiteral("sound=on") : QStringLiteral("sound=off"));
    return s;
}

QString panelState(const MainWindow &w)
{
    auto keys = [](const auto &list) {
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
           + QStringLiteral(" | digits") + keys(w.digitKeys) + QStringLiteral(" thirds") + keys(w.thirdsKeys);
}

QPalette darkScheme()
{
    const QColor face(49, 54, 59), text(239, 240, 241), base(35, 38, 41), dimmed(110, 113, 117);
    QPalette p(text, face, face.lighter(130), face.darker(150), face.darker(120), text, Qt::white, base, face);
    p.setColor(QPalette::Highlight, QColor(61, 174, 233));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimmed);
    return p;
}

void run(MainWindow &w, const QString &script)
{
    const QHash<QString, QPushButton *> keys = {
        {"D", w.cmdDaritu},          {"W", w.cmdSyoritu},         {"I", w.comJiseki},  {"0/3", w.thirdsKeys[0]},
        {"1/3", w.thirdsKeys[1]},    {"2/3", w.thirdsKeys[2]},    {"C", w.cmdCan},     {"AC", w.cmdAC},
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

void clickDigits(MainWindow &w, const QString &digits)
{
    for (QChar d : digits)
        click(w.digitKeys[d.digitValue()]);
}

void WindowTest::openWindow()
{
    rec = std::make_unique<Recorder>();
    watchdog = std::make_unique<ModalWatchdog>();
    w = std::make_unique<MainWindow>();
    w->show();
    w->activateWindow();  // an X server with no window manager activates nothing by itself
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void WindowTest::closeWindow()
{
    w.reset();
    QVERIFY2(watchdog->seen.isEmpty(), qPrintable(watchdog->seen.join(QLatin1Char('\n'))));
    watchdog.reset();
    rec.reset();
}
