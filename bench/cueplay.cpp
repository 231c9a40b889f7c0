// How long Cues::play() of the digit cue takes to return with the real player,
// against whatever sound server PULSE_SERVER names. As in the program, the
// cues are readied first while nothing else happens; the very first call is
// timed apart; then CALLS more calls, each followed by ~100 ms of event
// processing so that the cue can finish.
//
//   bench_cueplay [CALLS]
// prints:  FIRST_US CALLS MEDIAN_US P90_US MAX_US STARTED FIRST_STARTED
// where STARTED counts the calls whose cue was seen playing, and
// FIRST_STARTED is 1 when the first call's cue was.
#include "desktop/cueplayer.h"
#include "desktop/cues.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void processEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double timedPlay()
{
    QElapsedTimer t;
    t.start();
    Cues::play(Cue::Digit);
    return t.nsecsElapsed() / 1e3;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int calls = argc > 1 ? std::max(1, atoi(argv[1])) : 100;

    Cues::prepare();
    processEventsFor(500);
    int started = 0;
    const QString digit = Cues::path(Cue::Digit);
    CuePlayer::instance().setPlayingWatcher(
        [&](const QString &path, bool playing) { started += path == digit && playing; });
    const double first = timedPlay();
    if (!CuePlayer::instance().isLoaded(digit)) {
        std::printf("no-player\n");
        return 1;
    }
    // The first cue waits for its file to load; let it load, play and end.
    for (int i = 0; i < 40 && !started; ++i)
        processEventsFor(50);
    const bool firstPlayed = started > 0;
    processEventsFor(200);

    started = 0;
    std::vector<double> us;
    us.reserve(calls);
    for (int i = 0; i < calls; ++i) {
        us.push_back(timedPlay());
        processEventsFor(100);
    }
    processEventsFor(200);
    std::sort(us.begin(), us.end());
    const double median = calls % 2 ? us[calls / 2] : (us[calls / 2 - 1] + us[calls / 2]) / 2;
    const double p90 = us[std::min(calls - 1, calls * 9 / 10)];
    std::printf("%.1f %d %.1f %.1f %.1f %d %d\n", first, calls, median, p90, us.back(), started, firstPlayed ? 1 : 0);
    return 0;
}
