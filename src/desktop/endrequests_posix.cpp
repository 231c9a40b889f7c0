#include "endrequests.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int endSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler may do almost nothing safely, and certainly not write a
// settings file: it only writes a byte into this socket pair, and the event
// loop reads it at the other end. The pair is made once and never closed, as
// a handler running on another thread may be writing to it at any moment.
int wakeUp[2] = {-1, -1};

void signalled(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // The socket does not block: when it is full, a wake-up is pending anyway.
    if (::write(wakeUp[0], &byte, 1) < 0) {}
    errno = savedErrno;
}

// The handlers, once installed, the dispositions they replaced and the
// signals they took.
bool catching = false;
struct sigaction previous[std::size(endSignals)];
sigset_t taken;

bool startCatching()
{
    if (catching)
        return true;
    if (wakeUp[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeUp) != 0) {
        qWarning("Cannot watch for signals to end: %s", std::strerror(errno));
        return false;
    }
    struct sigaction action = {};
    action.sa_handler = signalled;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A signal ignored from the start stays ignored: nohup ignores hang-ups
    // for the program it starts, and the shell interrupts for a background one.
    sigemptyset(&taken);
    for (size_t i = 0; i < std::size(endSignals); ++i) {
        ::sigaction(endSignals[i], nullptr, &previous[i]);
        if (previous[i].sa_handler != SIG_IGN) {
            ::sigaction(endSignals[i], &action, nullptr);
            sigaddset(&taken, endSignals[i]);
        }
    }
    catching = true;
    return true;
}

void stopCatching()
{
    if (!catching)
        return;
    for (size_t i = 0; i < std::size(endSignals); ++i)
        ::sigaction(endSignals[i], &previous[i], nullptr);
    catching = false;
}

class Listener : public QObject
{
public:
    Listener(QObject *owner, std::function<void()> requested);
    ~Listener() override;

private:
    static void wokenUp();

    std::function<void()> m_requested;

    static inline QList<Listener *> listeners;
    static inline QSocketNotifier *notifier = nullptr;
};

Listener::Listener(QObject *owner, std::function<void()> requested) : QObject(owner), m_requested(std::move(requested))
{
    // A request that came before anyone listened is still in the socket, and
    // wakes the notifier as soon as the event loop runs.
    if (listeners.isEmpty() && startCatching()) {
        notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read);
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, &Listener::wokenUp);
    }
    listeners.append(this);
}

Listener::~Listener()
{
    listeners.removeOne(this);
    if (listeners.isEmpty()) {
        stopCatching();
        delete notifier;
        notifier = nullptr;
    }
}

void Listener::wokenUp()
{
    char bytes[64];
    while (::read(wakeUp[1], bytes, sizeof bytes) > 0) {}
    // Answering a request may end listeners; those left are still asked.
    QList<QPointer<Listener>> asked;
    for (Listener *listener : std::as_const(listeners))
        asked.append(listener);
    for (const QPointer<Listener> &listener : std::as_const(asked)) {
        if (listener)
            listener->m_requested();
    }
}

}  // namespace

void catchEndRequests()
{
    // One that came while they were blocked, before the program could take
    // it, is taken now.
    if (startCatching())
        ::sigprocmask(SIG_UNBLOCK, &taken, nullptr);
}

void onEndRequest(QObject *owner, std::function<void()> requested)
{
    new Listener(owner, std::move(requested));
}
