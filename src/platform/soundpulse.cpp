#include "soundpulse.h"

#include "soundfile.h"
#include "soundpulsestreams.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// A local server answers in a few milliseconds; a longer wait only means it is hung.
constexpr int kConnectTimeoutMs = 1500;

void wakeWaiters(pa_context*, void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

} // namespace

PulseConnection::PulseConnection() : m_loop(pa_threaded_mainloop_new()) {
    if (m_loop && pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
}

PulseConnection::~PulseConnection() {
    if (!m_loop)
        return;
    {
        PulseLock lock(*this);
        dropContext();
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

void PulseConnection::dropContext() {
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

bool PulseConnection::ensureReady() {
    if (!m_loop)
        return false;
    PulseLock lock(*this);
    if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
        return true;
    dropContext();
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Quenlark");
    if (!m_context)
        return false;
    pa_context_set_state_callback(m_context, wakeWaiters, m_loop);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        dropContext();
        return false;
    }
    const QDeadlineTimer deadline(kConnectTimeoutMs);
    for (;;) {
        const pa_context_state_t state = pa_context_get_state(m_context);
        if (state == PA_CONTEXT_READY)
            return true;
        if (!PA_CONTEXT_IS_GOOD(state) || deadline.hasExpired())
            break;
        // The loop thread needs the lock to make progress; poll rather than wait so the
        // time-out holds even when the server never answers.
        pa_threaded_mainloop_unlock(m_loop);
        QThread::msleep(2);
        pa_threaded_mainloop_lock(m_loop);
    }
    dropContext();
    return false;
}

PulseSoundBackend::PulseSoundBackend(QString tempFolder)
    : m_pulse(std::make_shared<PulseConnection>()), m_tempFolder(std::move(tempFolder)) {}

std::unique_ptr<SoundStream> PulseSoundBackend::openPlayback(const QString& path, int& status) {
    SF_INFO info;
    SNDFILE* file = SoundFile::openForReading(path, info, status);
    if (!file)
        return nullptr;
    if (uint32_t(info.samplerate) > PA_RATE_MAX || info.channels > int(PA_CHANNELS_MAX)) {
        sf_close(file);
        status = MciError::InvalidFile;
        return nullptr;
    }
    return std::make_unique<PulsePlayback>(m_pulse, file, info);
}

std::unique_ptr<SoundStream> PulseSoundBackend::openRecording(int& status) {
    status = MciError::None;
    return std::make_unique<PulseRecording>(m_pulse, m_tempFolder);
}
