// Shared by the tests: a recorder that stands in for the message box, the
// cue player and the desktop's alert, and a watchdog that closes any real
// modal box that appears.
#pragma once

#include "core/calculator.h"
#include "desktop/messagebox.h"
#include "window/mainwindow.h"

#include <QList>
#include <QObject>
#include <QPalette>
#include <QStringList>
#include <QTimer>

#include <memory>

// Settings go to a test location, and the application is named as the program names itself.
void prepareApplication();

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
    QList<Cue> cues;  // Digit for kavlo1.wav, Function for kavlo2.wav
    QStringList cuePaths;
    int alerts = 0;  // the desktop's alert sounds
    int count(Cue cue) const { return int(cues.count(cue)); }
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

// Every text, enabled flag and check mark of the window: two snapshots
// compare equal when nothing a user sees has changed.
QStringList snapshot(const MainWindow &w);

// The panel in one line: the five displays, the four caption labels, each
// statistic key's caption with + or - for enabled, and the digit and thirds
// keys (+ all enabled, - all disabled).
QString panelState(const MainWindow &w);

// A dark colour scheme of the kind desktops offer: light text on dark faces.
QPalette darkScheme();

// Plays a script of mouse clicks, tokens separated by spaces: a number clicks
// its digits, D, W and I the three statistic keys, 0/3 1/3 2/3 the thirds
// keys, C and AC the clearing keys.
void run(MainWindow &w, const QString &script);

// Clicks a key with the mouse, as a user would.
void click(QWidget *button);
// Clicks the digit keys for each character of digits.
void clickDigits(MainWindow &w, const QString &digits);

// The fixture of the window tests: a fresh main window for every test
// function, shown and active, with a Recorder standing in for message boxes
// and cues, and a watchdog that fails the test if a real box appears.
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
