// One run of the program for the tests of damaged and contended stores:
//   one_run [--sound on|off] [--move X Y] [--close-at MS_SINCE_EPOCH]
// prints the Sound switch and whether a saved position was applied, as the
// window opened; then sets what it is told and closes the window (at the
// given wall-clock time, or at once), which saves the settings.
// It runs as an ordinary user would even under root, so that permissions bind.
#include "window/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
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

} // namespace

int main(int argc, char *argv[])
{
    dropPermissionOverrides();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KAVLO"));
    QApplication::setApplicationName(QStringLiteral("KAVLO"));
    MainWindow w;
    std::printf("sound %s\nmoved %s\n", w.nmuSound->isChecked() ? "on" : "off",
                w.testAttribute(Qt::WA_Moved) ? "yes" : "no");
    std::fflush(stdout);

    qint64 closeAt = 0;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sound") && i + 1 < args.size())
            w.nmuSound->setChecked(args[++i] == QLatin1String("on"));
        else if (args[i] == QLatin1String("--move") && i + 2 < args.size())
            w.move(args[i + 1].toInt(), args[i + 2].toInt()), i += 2;
        else if (args[i] == QLatin1String("--close-at") && i + 1 < args.size())
            closeAt = args[++i].toLongLong();
        else
            return 2;
    }
    w.show();
    QTimer::singleShot(int(qMax<qint64>(0, closeAt - QDateTime::currentMSecsSinceEpoch())), &w, &QWidget::close);
    return app.exec();
}
