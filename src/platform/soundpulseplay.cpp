#include "soundpulse.h"
#include "soundpulsestreams.h"

#include <chrono>

namespace {

// Small enough that "stop" silences the sink at once, large enough for a busy machine.
constexpr pa_usec_t kPlaybackBufferUsec = 100 * 1000;

} // namespace

PulsePlayback::PulsePlayback(std::shared_ptr<PulseConnection> pulse, SNDFILE* file,
                             const SF_INFO& info)
    : PulseStreamBase(std::move(pulse)), m_file(file), m_info(info) {}

PulsePlayback::~PulsePlayback() {
    stop();
    sf_close(m_file);
}

qint64 PulsePlayback::lengthMs() const {
    return (m_info.frames * 1000 + m_info.samplerate / 2) / m_info.samplerate;
}

int PulsePlayback::start() {
    if (m_running)
        return MciError::None;
    if (m_atEnd) {
        sf_seek(m_file, 0, SEEK_SET);
        m_atEnd = false;
    }
    // libsndfile converts every encoding (PCM of any width, float, u-law, A-law, ADPCM) to
    // float; the server plays it at the file's own rate.
    pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, uint32_t(m_info.samplerate), uint8_t(m_info.channels)};
    const int status = createStream(spec, "Quenlark playback");
    if (status != MciError::None)
        return status;
    PulseLock lock(*m_pulse);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(kPlaybackBufferUsec, &spec));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    attr.fragsize = uint32_t(-1);
    pa_stream_set_write_callback(m_stream, onWrite, this);
    if (pa_stream_connect_playback(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        releaseStream();
        return MciError::Hardware;
    }
    m_running = true;
    return MciError::None;
}

void PulsePlayback::onWrite(pa_stream* stream, size_t bytes, void* self) {
    auto* play = static_cast<PulsePlayback*>(self);
    if (play->m_atEnd)
        return;
    const size_t frameBytes = sizeof(float) * size_t(play->m_info.channels);
    void* data = nullptr;
    if (pa_stream_begin_write(stream, &data, &bytes) < 0 || !data)
        return;
    const sf_count_t wanted = sf_count_t(bytes / frameBytes);
    const sf_count_t got =
        wanted > 0 ? sf_readf_float(play->m_file, static_cast<float*>(data), wanted) : 0;
    if (got > 0) {
        pa_stream_write(stream, data, size_t(got) * frameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        play->noteSamplesSent();
    } else
        pa_stream_cancel_write(stream);
    if (got < wanted) {
        play->m_atEnd = true;
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        // The end is reached when the server has played everything it holds.
        play->m_drain = pa_stream_drain(stream, onDrained, play);
    }
}

void PulsePlayback::onDrained(pa_stream*, int success, void* self) {
    auto* play = static_cast<PulsePlayback*>(self);
    if (play->m_drain) {
        pa_operation_unref(play->m_drain);
        play->m_drain = nullptr;
    }
    play->postEnded(!success);
}
