#include "soundpulse.h"
#include "soundpulsestreams.h"

#include <chrono>

namespace {

qint64 steadyNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int PulseStreamBase::createStream(const pa_sample_spec& spec, const char* name) {
    if (!m_pulse->ensureReady())
        return MciError::Hardware;
    PulseLock lock(*m_pulse);
    pa_channel_map map;
    pa_channel_map_init_extend(&map, spec.channels, PA_CHANNEL_MAP_WAVEEX);
    m_stream = pa_stream_new(m_pulse->context(), name, &spec, &map);
    if (!m_stream)
        return MciError::Hardware;
    ++m_run;
    m_endPosted = false;
    m_startedNs = 0;
    m_firstSamplesNs = 0;
    pa_stream_set_state_callback(m_stream, onState, this);
    pa_stream_set_started_callback(m_stream, onStarted, this);
    return MciError::None;
}

void PulseStreamBase::noteSamplesSent() {
    if (m_firstSamplesNs == 0)
        m_firstSamplesNs = steadyNowNs();
}

void PulseStreamBase::stop() {
    m_running = false;
    if (!m_stream)
        return;
    PulseLock lock(*m_pulse);
    releaseStream();
}

void PulseStreamBase::releaseStream() {
    if (m_drain) {
        pa_operation_cancel(m_drain);
        pa_operation_unref(m_drain);
        m_drain = nullptr;
    }
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_started_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_set_read_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
    // Any end already posted belongs to this run; a new run gets a new number.
    ++m_run;
}

void PulseStreamBase::postEnded(bool failed) {
    if (m_endPosted)
        return;
    m_endPosted = true;
    const quint64 run = m_run;
    QMetaObject::invokeMethod(
        this,
        [this, run, failed] {
            if (run != m_run || !m_running)
                return;
            stop();
            emit ended(failed);
        },
        Qt::QueuedConnection);
}

void PulseStreamBase::onState(pa_stream* stream, void* self) {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED)
        static_cast<PulseStreamBase*>(self)->postEnded(true);
}

void PulseStreamBase::onStarted(pa_stream*, void* self) {
    auto* base = static_cast<PulseStreamBase*>(self);
    if (base->m_startedNs == 0)
        base->m_startedNs = steadyNowNs();
}
