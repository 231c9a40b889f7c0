// The cues on Linux: the sound server's sample cache, through libpulse. A
// thread of the player's own reads each file once, uploads its sound to the
// server and has the server play it; a play call only hands the cue over to
// that thread. With no server, or one that went away, cues are silence until a
// cue asked for finds a server again.
//
// libpulse, and the codec libraries that it brings, take nearly a tenth of the
// program's start-up: the program opens it when the first cue is asked for,
// after its window is shown, rather than link it.
#include "cueplayer.h"

#include "identity.h"
#include "wavfile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLibrary>

#include <pulse/pulseaudio.h>
#include <pthread.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The functions of libpulse that the player calls, as pa->context_new(…) for pa_context_new(…).
// clang-format off
#define LIBPULSE_FUNCTIONS(F) \
    F(context_connect) F(context_disconnect) F(context_get_state) \
    F(context_kill_sink_input) F(context_new) F(context_play_sample_with_proplist) \
    F(context_set_state_callback) F(context_unref) F(mainloop_api_once) \
    F(operation_unref) F(proplist_free) F(proplist_new) \
    F(proplist_sets) F(sample_spec_valid) F(stream_connect_upload) \
    F(stream_finish_upload) F(stream_get_state) F(stream_new) \
    F(stream_set_state_callback) F(stream_set_write_callback) F(stream_unref) \
    F(stream_write) F(threaded_mainloop_free) F(threaded_mainloop_get_api) \
    F(threaded_mainloop_new) F(threaded_mainloop_set_name) F(threaded_mainloop_start) \
    F(threaded_mainloop_stop)
// clang-format on
struct Libpulse {
#define F(name) decltype(&pa_##name) name;
    LIBPULSE_FUNCTIONS(F)
#undef F
};
const Libpulse *pa = nullptr;

// Opens libpulse once; false, said once, without it.
bool openLibpulse()
{
    static const bool opened = [] {
        static QLibrary library(QStringLiteral("pulse"), 0);
        static Libpulse functions;
        bool found = library.load();
#define F(name)                                                                                                        \
    found = found && (functions.name = reinterpret_cast<decltype(&pa_##name)>(library.resolve("pa_" #name)));
        LIBPULSE_FUNCTIONS(F)
#undef F
        if (!found)
            qWarning("kavlo: cannot play the cues: %s", qPrintable(library.errorString()));
        pa = found ? &functions : nullptr;
        return found;
    }();
    return opened;
}

// A cue still waiting for the server or its upload after this long is dropped:
// it would no longer belong to the key that asked for it.
constexpr auto Patience = std::chrono::milliseconds(500);
// The server keeps no larger sample.
constexpr qint64 LargestFile = 16 * 1024 * 1024;

struct Request {
    QString path;
    bool play;
    Clock::time_point at;
};

// One cue file: its sound as read, and that sound in the server's cache.
struct Sample {
    QString path;
    WavSound sound;           // no samples until the file has been read whole
    pa_sample_spec layout{};  // the samples' format, rate and channels
    QByteArray name;          // named by the sound, so that every copy of the program shares one entry
    pa_stream *upload = nullptr;
    qsizetype sent = 0;
    bool uploaded = false;
    bool warned = false;
};

pa_sample_format_t sampleFormat(WavSound::Encoding encoding)
{
    switch (encoding) {
    case WavSound::Encoding::Unsigned8:
        return PA_SAMPLE_U8;
    case WavSound::Encoding::Signed16:
        return PA_SAMPLE_S16LE;
    case WavSound::Encoding::Signed24:
        return PA_SAMPLE_S24LE;
    case WavSound::Encoding::Signed32:
        return PA_SAMPLE_S32LE;
    case WavSound::Encoding::Float32:
        return PA_SAMPLE_FLOAT32LE;
    }
    return PA_SAMPLE_INVALID;
}

class PulsePlayer
{
public:
    // Null without libpulse.
    static PulsePlayer *instance();
    ~PulsePlayer();
    void ask(const QString &path, bool play);

private:
    PulsePlayer();
    // The rest runs on the player's thread, with the loop's lock held.
    void takeRequests();
    Sample &sample(const QString &path);
    void read(Sample &s);
    void connect();
    void contextChanged();
    bool ready() const;
    void uploadAll();
    void uploadChanged(Sample &s);
    void writeUpload(Sample &s, size_t bytes);
    void playPending();
    void started(uint32_t sinkInput);

    pa_threaded_mainloop *m_loop = nullptr;
    int m_wakeup = -1;  // an eventfd, written when a request waits
    std::mutex m_requestsLock;
    std::vector<Request> m_requests;

    pa_context *m_context = nullptr;
    pa_proplist *m_eventSound = nullptr;
    std::deque<Sample> m_samples;  // its elements stay in place: uploads point at them
    Sample *m_pending = nullptr;   // the cue to play as soon as it can, asked for at m_pendingSince
    Clock::time_point m_pendingSince;
    Sample *m_starting = nullptr;           // played, but the server has not yet named its sink input
    uint32_t m_playing = PA_INVALID_INDEX;  // the sink input of the last cue
};

PulsePlayer *PulsePlayer::instance()
{
    if (!openLibpulse())
        return nullptr;
    static PulsePlayer player;
    return &player;
}

PulsePlayer::PulsePlayer() : m_loop(pa->threaded_mainloop_new()), m_wakeup(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    m_eventSound = pa->proplist_new();
    pa->proplist_sets(m_eventSound, PA_PROP_MEDIA_ROLE, "event");
    pa->threaded_mainloop_set_name(m_loop, "kavlo-cues");
    pa_mainloop_api *api = pa->threaded_mainloop_get_api(m_loop);
    // Woken by a cue, the thread would otherwise take the processor from the
    // window's thread in the middle of its play call; as a batch thread it
    // waits until that thread is done or another processor is free.
    pa->mainloop_api_once(
        api,
        [](pa_mainloop_api *, void *) {
            const sched_param none{};
            pthread_setschedparam(pthread_self(), SCHED_BATCH, &none);
        },
        nullptr);
    api->io_new(
        api, m_wakeup, PA_IO_EVENT_INPUT,
        [](pa_mainloop_api *, pa_io_event *, int fd, pa_io_event_flags_t, void *player) {
            uint64_t count;
            if (::read(fd, &count, sizeof count) == sizeof count)
                static_cast<PulsePlayer *>(player)->takeRequests();
        },
        this);
    pa->threaded_mainloop_start(m_loop);
}

PulsePlayer::~PulsePlayer()
{
    pa->threaded_mainloop_stop(m_loop);
    for (Sample &s : m_samples) {
        if (s.upload)
            pa->stream_unref(s.upload);
    }
    if (m_context) {
        pa->context_set_state_callback(m_context, nullptr, nullptr);
        pa->context_disconnect(m_context);
        pa->context_unref(m_context);
    }
    pa->proplist_free(m_eventSound);
    pa->threaded_mainloop_free(m_loop);
    close(m_wakeup);
}

// On the window's thread: hands the request over without waiting for the player's thread.
void PulsePlayer::ask(const QString &path, bool play)
{
    {
        std::lock_guard<std::mutex> lock(m_requestsLock);
        m_requests.push_back({path, play, Clock::now()});
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeup, &one, sizeof one);
}

void PulsePlayer::takeRequests()
{
    std::vector<Request> requests;
    {
        std::lock_guard<std::mutex> lock(m_requestsLock);
        requests.swap(m_requests);
    }
    for (const Request &r : requests) {
        Sample &s = sample(r.path);
        // A file that could not be played is tried afresh each time it is asked for.
        if (s.sound.samples.isEmpty())
            read(s);
        if (r.play) {
            m_pending = s.sound.samples.isEmpty() ? nullptr : &s;
            m_pendingSince = r.at;
        }
    }
    if (!m_context)
        connect();
    uploadAll();
    playPending();
}

Sample &PulsePlayer::sample(const QString &path)
{
    for (Sample &s : m_samples) {
        if (s.path == path)
            return s;
    }
    m_samples.push_back({});
    m_samples.back().path = path;
    return m_samples.back();
}

void PulsePlayer::read(Sample &s)
{
    QFile file(s.path);
    if (!file.open(QIODevice::ReadOnly)) {
        s.sound.error = file.errorString();
    } else if (file.size() > LargestFile) {
        s.sound.error = QStringLiteral("it is too large for a cue");
    } else {
        s.sound = readWav(file.readAll());
        s.layout = {sampleFormat(s.sound.encoding), uint32_t(s.sound.rate), uint8_t(qMin(s.sound.channels, 255))};
        if (s.sound.error.isEmpty() && !pa->sample_spec_valid(&s.layout)) {
            s.sound.samples.clear();
            s.sound.error = QStringLiteral("the sound server takes no sound of its kind");
        }
    }
    if (!s.sound.error.isEmpty()) {
        // Said once: the file stays silent, and the program goes on.
        if (!s.warned)
            qWarning("kavlo: cannot play the cue %s: %s", qPrintable(s.path), qPrintable(s.sound.error));
        s.warned = true;
        return;
    }
    const QByteArray layout(reinterpret_cast<const char *>(&s.layout), sizeof s.layout);
    s.name = "kavlo-" + QCryptographicHash::hash(layout + s.sound.samples, QCryptographicHash::Sha1).toHex().left(16);
}

void PulsePlayer::connect()
{
    m_context = pa->context_new(pa->threaded_mainloop_get_api(m_loop), Identity::ProductName);
    pa->context_set_state_callback(
        m_context, [](pa_context *, void *player) { static_cast<PulsePlayer *>(player)->contextChanged(); }, this);
    // A calculator does not start a sound server: a desktop without one stays silent.
    if (pa->context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 && m_context) {
        pa->context_unref(m_context);
        m_context = nullptr;
        m_pending = nullptr;
    }
}

void PulsePlayer::contextChanged()
{
    switch (pa->context_get_state(m_context)) {
    case PA_CONTEXT_READY:
        uploadAll();
        playPending();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        // No server, or it went away and its cache with it: the next cue asked for tries again.
        pa->context_set_state_callback(m_context, nullptr, nullptr);
        pa->context_unref(m_context);
        m_context = nullptr;
        for (Sample &s : m_samples)
            s.uploaded = false;
        m_pending = m_starting = nullptr;
        m_playing = PA_INVALID_INDEX;
        break;
    default:
        break;
    }
}

bool PulsePlayer::ready() const
{
    return m_context && pa->context_get_state(m_context) == PA_CONTEXT_READY;
}

void PulsePlayer::uploadAll()
{
    if (!ready())
        return;
    for (Sample &s : m_samples) {
        if (s.uploaded || s.upload || s.sound.samples.isEmpty())
            continue;
        s.upload = pa->stream_new(m_context, s.name.constData(), &s.layout, nullptr);
        if (!s.upload)
            continue;
        s.sent = 0;
        pa->stream_set_state_callback(
            s.upload, [](pa_stream *, void *sample) { instance()->uploadChanged(*static_cast<Sample *>(sample)); }, &s);
        pa->stream_set_write_callback(
            s.upload,
            [](pa_stream *, size_t bytes, void *sample) {
                instance()->writeUpload(*static_cast<Sample *>(sample), bytes);
            },
            &s);
        pa->stream_connect_upload(s.upload, size_t(s.sound.samples.size()));
    }
}

void PulsePlayer::writeUpload(Sample &s, size_t bytes)
{
    const size_t left = size_t(s.sound.samples.size() - s.sent);
    const size_t now = qMin(bytes, left);
    pa->stream_write(s.upload, s.sound.samples.constData() + s.sent, now, nullptr, 0, PA_SEEK_RELATIVE);
    s.sent += qsizetype(now);
    if (now == left)
        pa->stream_finish_upload(s.upload);
}

void PulsePlayer::uploadChanged(Sample &s)
{
    const pa_stream_state_t state = pa->stream_get_state(s.upload);
    if (state != PA_STREAM_TERMINATED && state != PA_STREAM_FAILED)
        return;
    // An upload ends as a sample in the cache, or fails with the connection.
    s.uploaded = state == PA_STREAM_TERMINATED;
    pa->stream_set_state_callback(s.upload, nullptr, nullptr);
    pa->stream_set_write_callback(s.upload, nullptr, nullptr);
    pa->stream_unref(s.upload);
    s.upload = nullptr;
    playPending();
}

void PulsePlayer::playPending()
{
    if (m_pending && Clock::now() - m_pendingSince > Patience)
        m_pending = nullptr;
    if (!m_pending || !m_pending->uploaded || m_starting || !ready())
        return;
    // One cue at a time: the one still sounding ends before the next begins.
    if (m_playing != PA_INVALID_INDEX) {
        if (pa_operation *o = pa->context_kill_sink_input(m_context, m_playing, nullptr, nullptr))
            pa->operation_unref(o);
        m_playing = PA_INVALID_INDEX;
    }
    m_starting = m_pending;
    m_pending = nullptr;
    pa_operation *o = pa->context_play_sample_with_proplist(
        m_context, m_starting->name.constData(), nullptr, PA_VOLUME_INVALID, m_eventSound,
        [](pa_context *, uint32_t sinkInput, void *player) { static_cast<PulsePlayer *>(player)->started(sinkInput); },
        this);
    if (o)
        pa->operation_unref(o);
    else
        m_starting = nullptr;
}

void PulsePlayer::started(uint32_t sinkInput)
{
    // Only a sample gone from the cache is refused: it is uploaded again for the next cue.
    if (sinkInput == PA_INVALID_INDEX && m_starting)
        m_starting->uploaded = false;
    m_playing = sinkInput;
    m_starting = nullptr;
    uploadAll();
    playPending();
}

}  // namespace

namespace CuePlayer {

void play(const QString &wavPath)
{
    if (PulsePlayer *player = PulsePlayer::instance())
        player->ask(wavPath, true);
}

void prepare(const QStringList &wavPaths)
{
    if (PulsePlayer *player = PulsePlayer::instance()) {
        for (const QString &path : wavPaths)
            player->ask(path, false);
    }
}

}  // namespace CuePlayer
