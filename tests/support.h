// Shared by the tests: a recorder that stands in for the message box and the
// cue player, and a watchdog that closes any real modal box that appears.
#pragma once

#include "shell/module1.h"
#include "shell/msgbox.h"

#include "panel/kavlo.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

// Settings go to a test location, and the application is named as the program names itself.
void prepareApplication();

struct Message {
    QWidget *owner;
    QString text;
    MsgStyle style;
    QString title;
    bool operator==(const Message &o) const
    {
        return owner == o.owner && text == o.text && style == o.style && title == o.title;
    }
};
char *toString(const Message &m);

class Recorder
{
public:
    Recorder();
    ~Recorder();
    QList<Message> messages;
    QList<Module1::Cue> cues;
    QStringList cuePaths;
    int count(Module1::Cue cue) const { return int(cues.count(cue)); }
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

// Every text, enabled flag and check mark of the window, plus its two
// variables: two snapshots compare equal when nothing a user sees has changed.
QStringList snapshot(const kavlo &w);

// The panel in one line: the five displays, the four caption labels, each
// statistic button's caption with + or - for enabled, and the digit and
// thirds keys (+ all enabled, - all disabled).
QString panelState(const kavlo &w);

// Plays a script of mouse clicks, tokens separated by spaces: a number clicks
// its digits, D, W and I the three statistic buttons, 0/3 1/3 2/3 the thirds
// keys, C and AC the clearing keys.
void run(kavlo &w, const QString &script);

// Clicks a key with the mouse, as a user would.
void click(QWidget *button);
// Clicks the digit keys for each character of digits.
void clickDigits(kavlo &w, const QString &digits);

// The fixture of the window tests: a fresh main window for every test
// function, shown and active, with a Recorder standing in for message boxes
// and cues, and a watchdog that fails the test if a real box appears.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<Recorder> rec;
    std::unique_ptr<ModalWatchdog> watchdog;
    std::unique_ptr<kavlo> w;

    void openWindow();
    void closeWindow();

private slots:
    void initTestCase() { prepareApplication(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }
};
