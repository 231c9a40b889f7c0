// Shared by the tests: a recorder that stands in for the message box, the
// cue player and the desktop's alert, a watchdog that closes any real modal
// box that appears, the controls by name, the script player and the panel.
#pragma once

#include "core/cue.h"
#include "desktop/messagebox.h"
#include "window/mainwindow.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <memory>

// Settings go to a test location, empty at the start and removed at the end,
// and the application is named as the program names itself.
void prepareApplication();
// Called before the application is made: the test runs on the X server that
// the environment variable `variable` names, or offscreen where it names none.
void useDisplayNamedBy(const QByteArray &variable);

struct Shown {
    QWidget *owner;
    QString text;
    MessageIcon icon;
    QString title;
    bool operator==(const Shown &o) const
    {
        return owner == o.owner && text == o.text && icon == o.icon && title == o.title;
    }
};
char *toString(const Shown &m);

class Recorder
{
public:
    Recorder();
    ~Recorder();
    QList<Shown> messages;
    QList<Cue> cues;
    QStringList cuePaths;
    int alerts = 0;  // the desktop's alert sounds
    int count(Cue cue) const { return int(cues.count(cue)); }
};

// Counts the events of one type that reach the widgets it filters; other
// objects, which an application-wide filter sees too, do not count.
class EventCounter : public QObject
{
public:
    explicit EventCounter(QEvent::Type type) : m_type(type) {}
    int count = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        count += event->type() == m_type && watched->isWidgetType();
        return false;
    }

private:
    QEvent::Type m_type;
};

// Closes modal windows nobody expected, and remembers their titles and texts.
class ModalWatchdog : public QObject
{
public:
    ModalWatchdog();
    QStringList seen;

private:
    QTimer timer;
};

// The window's child of that object name, as tools outside the program find
// it; the test stops where there is none.
template <typename T = QWidget> T *child(const QObject &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}
inline QLabel *label(const QWidget &window, const QString &name)
{
    return child<QLabel>(window, name);
}
inline QPushButton *key(const QWidget &window, const QString &name)
{
    return child<QPushButton>(window, name);
}
inline QAction *action(const QWidget &window, const QString &name)
{
    return child<QAction>(window, name);
}

// Plays a script (script.h) on the main window: keys clicked with the mouse
// or pressed, keys typed into the control with the focus, the focus moved.
void play(QWidget &window, const QString &script);

// Clicks a key with the mouse, as a user would.
void click(QWidget *button);

// The main window's panel in one line. Compact: the five displays, the four
// captions that follow the statistic, each statistic key's caption with + or
// - for enabled, and the digit and thirds keys (+ all enabled, - all disabled):
//   in:3 A:10 B: C: D: | 打数/// | 安打 (&H)+ 勝 (&W)- 回 (&I)- | digits+ thirds-
// Full: every caption, fixed ones included, every key and the Sound switch, so
// that two panels compare equal when nothing a user sees has changed:
//   in: A: B: C: D: | 入力画面////F5/F6/F7 | 打数 (&D)+ 勝 (&W)+ 回 (&I)+ | 0+ 1+ … 2/3- C (&C)+ AC (&A)+ | sound:on
enum class Detail { Compact, Full };
QString panel(const QWidget &window, Detail detail = Detail::Compact);

// A dark colour scheme of the kind desktops offer: light text on dark faces.
QPalette darkScheme();

// The fixture of the window tests: a fresh main window for every test
// function, shown and active, on an empty settings store that is emptied
// again afterwards, with a Recorder standing in for message boxes and cues,
// and a watchdog that fails the test if a real box appears.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<Recorder> rec;
    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<MainWindow> w;

    void openWindow();
    void closeWindow();

private slots:
    void initTestCase() { prepareApplication(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }
};
