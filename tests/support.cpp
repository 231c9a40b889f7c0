#include "support.h"

#include "script.h"
#include "store.h"
#include "core/statistics.h"
#include "desktop/alert.h"
#include "desktop/cues.h"
#include "window/controltable.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>

void useDisplayNamedBy(const QByteArray &variable)
{
    const QByteArray display = qgetenv(variable.constData());
    qputenv("QT_QPA_PLATFORM", display.isEmpty() ? "offscreen" : "xcb");
    qputenv("DISPLAY", display);
}

void prepareApplication()
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("KAVLO"));
    QApplication::setApplicationName(QStringLiteral("KAVLO"));
    // Whatever an earlier run left goes, and what this one writes goes with it.
    Store::remove();
    qAddPostRoutine(Store::remove);
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
    Cues::setPlayer([this](Cue cue, const QString &path) {
        cues.append(cue);
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

namespace {

// The key that works a statistic, as the control table binds it.
QPushButton *statisticKey(const QWidget &window, const Statistic &statistic)
{
    for (const ControlTable::Control &c : ControlTable::controls) {
        if (c.statistic && qstrcmp(c.statistic, statistic.id) == 0)
            return key(window, QLatin1String(c.name));
    }
    qFatal("no key works %s", statistic.id);
}

QPushButton *keyOf(const QWidget &window, const Script::Action &a)
{
    using Key = Script::Action::Key;
    const QString number = QString::number(a.number);
    return a.key == Key::Digit    ? key(window, "cmd" + number)
        : a.key == Key::Thirds    ? key(window, "cmd" + number + "3")
        : a.key == Key::Statistic ? statisticKey(window, *a.statistic)
                                  : key(window, a.key == Key::ClearEntry ? "cmdCan" : "cmdAC");
}

}  // namespace

void play(QWidget &window, const QString &script)
{
    for (const Script::Action &a : Script::parse(script)) {
        switch (a.kind) {
        case Script::Action::Click:
            click(keyOf(window, a));
            break;
        case Script::Action::Press:
            keyOf(window, a)->click();
            break;
        case Script::Action::Type:
            // Nothing is waited for: the window takes an access key at once, before the next key.
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), a.code, a.text, a.modifiers);
            break;
        case Script::Action::Focus:
            child(window, a.text)->setFocus();
            break;
        }
    }
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QString panel(const QWidget &window, Detail detail)
{
    const bool full = detail == Detail::Full;
    auto keys = [&window](const QStringList &names) {
        QStringList shown;
        for (const QString &name : names)
            shown << key(window, name)->text() + (key(window, name)->isEnabled() ? "+" : "-");
        return shown.join(' ');
    };
    auto all = [&window](const QStringList &names) {
        int on = 0;
        for (const QString &name : names)
            on += key(window, name)->isEnabled();
        return on == 0 ? "-" : on == names.size() ? "+" : "?";
    };
    QStringList captions, statisticKeys;
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label9"})
        captions << label(window, name)->text();
    for (const Statistic &s : statistics)
        statisticKeys << statisticKey(window, s)->objectName();
    const QStringList digits = {"cmd0", "cmd1", "cmd2", "cmd3", "cmd4", "cmd5", "cmd6", "cmd7", "cmd8", "cmd9"};
    const QStringList thirds = {"cmd03", "cmd13", "cmd23"};
    const QString line
        = QStringLiteral("in:%1 A:%2 B:%3 C:%4 D:%5 | %6 | %7 | ")
              .arg(label(window, "lblInput")->text(), label(window, "lblA")->text(), label(window, "lblB")->text(),
                   label(window, "lblC")->text(), label(window, "lblD")->text(),
                   (full ? captions : captions.mid(1, 4)).join('/'), keys(statisticKeys));
    if (!full)
        return line + "digits" + all(digits) + " thirds" + all(thirds);
    return line + keys(digits + thirds + QStringList{"cmdCan", "cmdAC"})
        + " | sound:" + (action(window, "nmuSound")->isChecked() ? "on" : "off");
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

void WindowTest::openWindow()
{
    Store::remove();
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
    Store::remove();
}
