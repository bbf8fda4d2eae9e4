#include "soundpulse.h"
#include "soundpulsestreams.h"

namespace {

// About 20 ms per fragment: the server drops samples silently when a client falls behind, so
// the capture is read often and in small pieces.
constexpr pa_usec_t kFragmentUsec = 20 * 1000;

} // namespace

PulseRecording::PulseRecording(std::shared_ptr<PulseConnection> pulse, const QString& tempFolder)
    : PulseStreamBase(std::move(pulse)), m_file(tempFolder) {}

PulseRecording::~PulseRecording() {
    stop();
}

qint64 PulseRecording::lengthMs() const {
    return m_file.frames() * 1000 / SoundFile::RecordRate;
}

int PulseRecording::start() {
    if (m_running)
        return MciError::None;
    if (!m_file.open())
        return MciError::FileNotSaved;
    const pa_sample_spec spec{PA_SAMPLE_S16LE, uint32_t(SoundFile::RecordRate),
                              uint8_t(SoundFile::RecordChannels)};
    const int status = createStream(spec, "Quenlark recording");
    if (status != MciError::None)
        return status;
    PulseLock lock(*m_pulse);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.fragsize = uint32_t(pa_usec_to_bytes(kFragmentUsec, &spec));
    attr.tlength = attr.prebuf = attr.minreq = uint32_t(-1);
    pa_stream_set_read_callback(m_stream, onRead, this);
    if (pa_stream_connect_record(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY) < 0) {
        releaseStream();
        return MciError::Hardware;
    }
    m_running = true;
    return MciError::None;
}

int PulseRecording::save(const QString& path) {
    stop();
    return m_file.saveTo(path);
}

void PulseRecording::onRead(pa_stream* stream, size_t, void* self) {
    auto* rec = static_cast<PulseRecording*>(self);
    const void* data = nullptr;
    size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0)
            break;
        if (bytes == 0)
            break;
        const qint64 frames = qint64(bytes / sizeof(qint16));
        if (rec->m_startedNs == 0)
            onStarted(stream, self);
        // A hole in the capture is kept as silence so the recording keeps its timing.
        const bool written = data ? rec->m_file.write(static_cast<const qint16*>(data), frames)
                                  : rec->m_file.writeSilence(frames);
        pa_stream_drop(stream);
        if (!written) {
            // The disk refused the samples: what is on disk stays playable; the device ends.
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            rec->postEnded(true);
            return;
        }
    }
}
