// How long Cues::play() of the digit cue takes to return with the real player,
// against whatever sound server PULSE_SERVER names, and whether the server
// then plays it. As in the program, the cues are readied first while nothing
// else happens; the very first call is timed apart; then CALLS more calls,
// each followed by ~100 ms of event processing.
//
//   bench_cueplay [CALLS]
// prints:  FIRST_US CALLS MEDIAN_US P90_US MAX_US STARTED FIRST_STARTED FIRST_SERVER_MS
// where STARTED counts the playbacks the server started for the CALLS calls,
// FIRST_STARTED is 1 when it started one for the first call, and
// FIRST_SERVER_MS is how long after that call the server told of it.
#include "desktop/cues.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The server's word for every playback it starts, timed as it arrives.
class ServerWatch
{
public:
    ServerWatch() : m_loop(pa_threaded_mainloop_new())
    {
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "bench_cueplay");
        pa_context_set_state_callback(m_context, &ServerWatch::stateChanged, this);
        pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
        pa_threaded_mainloop_start(m_loop);
    }
    bool ready() const { return m_subscribed; }
    int started() const { return m_started; }
    Clock::time_point firstStart() const { return Clock::time_point(Clock::duration(m_firstStart.load())); }
    void reset()
    {
        m_started = 0;
        m_firstStart = 0;
    }

private:
    static void stateChanged(pa_context *c, void *watch)
    {
        if (pa_context_get_state(c) != PA_CONTEXT_READY)
            return;
        pa_context_set_subscribe_callback(c, &ServerWatch::event, watch);
        pa_operation_unref(pa_context_subscribe(
            c, PA_SUBSCRIPTION_MASK_SINK_INPUT,
            [](pa_context *, int, void *w) { static_cast<ServerWatch *>(w)->m_subscribed = true; }, watch));
    }
    static void event(pa_context *, pa_subscription_event_type_t type, uint32_t, void *watch)
    {
        if ((type & PA_SUBSCRIPTION_EVENT_TYPE_MASK) != PA_SUBSCRIPTION_EVENT_NEW)
            return;
        auto *w = static_cast<ServerWatch *>(watch);
        Clock::rep none = 0;
        w->m_firstStart.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
        ++w->m_started;
    }

    pa_threaded_mainloop *m_loop;
    pa_context *m_context;
    std::atomic<bool> m_subscribed{false};
    std::atomic<int> m_started{0};
    std::atomic<Clock::rep> m_firstStart{0};
};

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

    ServerWatch server;
    for (int i = 0; i < 40 && !server.ready(); ++i)
        processEventsFor(50);
    if (!server.ready()) {
        std::printf("no-server\n");
        return 1;
    }
    Cues::prepare();
    processEventsFor(500);
    server.reset();
    const Clock::time_point firstCall = Clock::now();
    const double first = timedPlay();
    for (int i = 0; i < 40 && !server.started(); ++i)
        processEventsFor(50);
    const bool firstPlayed = server.started() > 0;
    const double firstServerMs
        = firstPlayed ? std::chrono::duration<double, std::milli>(server.firstStart() - firstCall).count() : -1;
    processEventsFor(200);

    server.reset();
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
    std::printf("%.1f %d %.1f %.1f %.1f %d %d %.2f\n", first, calls, median, p90, us.back(), server.started(),
                firstPlayed ? 1 : 0, firstServerMs);
    return 0;
}
