// Makes a screenshot for the README: the window after an earned-run average,
// in a light or a dark colour scheme, or in the light one as it is on the
// screen, in the frame that the window system draws; or the history window
// after three statistics.
//   screenshot light|dark|framed|history FILE.png
#include "support.h"

#include "window/historywindow.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    prepareApplication();
    Recorder quiet;  // no sound, no settings of the user's
    QApplication::setPalette(qstrcmp(argv[1], "dark") == 0 ? darkScheme() : QApplication::style()->standardPalette());
    MainWindow w;
    w.show();
    if (qstrcmp(argv[1], "history") == 0) {
        play(w, QStringLiteral("10 D 3 D AC 180 I 1/3 50 I AC 12 W 5 W"));
        w.historyChosen();
        return HistoryWindow::instance()->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    play(w, QStringLiteral("180 I 1/3 50 I"));
    if (qstrcmp(argv[1], "framed") == 0) {
        if (!QTest::qWaitForWindowActive(&w))
            return 1;
        QTest::qWait(500);  // the frame is drawn after the window is shown
        const QRect frame = w.frameGeometry();
        const QPixmap shot = w.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        return shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    return w.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
