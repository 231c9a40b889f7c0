// One run of the program for the tests of stores and endings:
//   one_run [--sound on|off] [--move X Y] [--version-window] [--history-window] [--message]
//           [--close-at MS_SINCE_EPOCH | --exit | --ctrl-q | --wait]
// prints the Sound switch and whether a saved position was applied, as the
// window opened. It then sets the switch (which saves nothing by itself),
// moves the window, shows it and opens the version window. At the end it
// closes the window (at the given wall-clock time, or at once), or chooses
// 終了 (--exit), or waits to be ended from outside (--wait), with a message
// box open (--message) or not. With --exit and --wait it prints "ready" and
// the Qt platform's name once the window and any box are open. --ctrl-q is
// --exit through its key; --history-window opens that window as well.
// It runs as an ordinary user would even under root, so that permissions bind.
#include "window/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QPoint>
#include <QPushButton>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QWindow>
#include <QKeyEvent>
#include <QTimer>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

namespace {

void dropPermissionOverrides()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        data[0].effective &= ~(1u << cap);
    syscall(SYS_capset, &header, data);
}

}  // namespace

int main(int argc, char *argv[])
{
    dropPermissionOverrides();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KAVLO"));
    QApplication::setApplicationName(QStringLiteral("KAVLO"));
    MainWindow w;
    auto action = [&w](const char *name) { return w.findChild<QAction *>(QLatin1String(name)); };
    std::printf("sound %s\nmoved %s\n", action("nmuSound")->isChecked() ? "on" : "off",
                w.testAttribute(Qt::WA_Moved) ? "yes" : "no");
    std::fflush(stdout);

    qint64 closeAt = 0;
    std::optional<QPoint> moveTo;
    bool versionWindow = false, historyWindow = false, message = false;
    QString ending;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sound") && i + 1 < args.size())
            action("nmuSound")->setChecked(args[++i] == QLatin1String("on"));
        else if (args[i] == QLatin1String("--switch"))  // as a user switches Sound, through the menu
            action("nmuSound")->trigger();
        else if (args[i] == QLatin1String("--move") && i + 2 < args.size())
            moveTo = QPoint(args[i + 1].toInt(), args[i + 2].toInt()), i += 2;
        else if (args[i] == QLatin1String("--version-window"))
            versionWindow = true;
        else if (args[i] == QLatin1String("--history-window"))
            historyWindow = true;
        else if (args[i] == QLatin1String("--message"))
            message = true;
        else if (args[i] == QLatin1String("--close-at") && i + 1 < args.size())
            closeAt = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--exit") || args[i] == QLatin1String("--ctrl-q")
                 || args[i] == QLatin1String("--wait"))
            ending = args[i];
        else
            return 2;
    }
    w.show();
    // Moved once it is up, as a user moves it.
    if (moveTo) {
        QDeadlineTimer up(5000);
        while (!w.windowHandle()->isExposed() && !up.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        w.move(*moveTo);
    }
    auto ready = [] {
        std::printf("ready %s\n", qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);
    };
    QTimer::singleShot(int(qMax<qint64>(0, closeAt - QDateTime::currentMSecsSinceEpoch())), &w, [&] {
        if (versionWindow)
            action("nmuVer")->trigger();
        if (historyWindow)
            action("nmuHistory")->trigger();
        if (ending.isEmpty()) {
            w.close();
        } else if (ending == QLatin1String("--exit")) {
            ready();
            action("nmuExit")->trigger();
        } else if (ending == QLatin1String("--ctrl-q")) {
            ready();
            QKeyEvent ctrlQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
            QApplication::sendEvent(w.focusWidget(), &ctrlQ);
        } else if (message) {
            // 打数 with nothing keyed is refused in a modal box, whose own event loop says ready.
            QTimer::singleShot(0, &w, ready);
            w.findChild<QPushButton *>(QStringLiteral("cmdDaritu"))->click();
        } else {
            ready();
        }
    });
    return app.exec();
}
