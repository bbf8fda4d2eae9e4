#pragma once

#include "sound.h"
#include "soundfile.h"

#include <pulse/stream.h>

#include <atomic>
#include <memory>

class PulseConnection;

// Common part of the two stream kinds: the pa_stream, its run number and the hand-over of
// its end to the GUI thread. Callbacks run on PulseAudio's thread with the loop locked.
class PulseStreamBase : public SoundStream {
public:
    explicit PulseStreamBase(std::shared_ptr<PulseConnection> pulse) : m_pulse(std::move(pulse)) {}
    bool isRunning() const override { return m_running; }
    void stop() override;
    // Steady-clock nanoseconds at which the server reported the stream running; for the
    // benchmarks.
    qint64 serverStartedNs() const { return m_startedNs; }
    // Steady-clock nanoseconds at which the first samples went to the server at its request.
    qint64 firstSamplesNs() const { return m_firstSamplesNs; }

protected:
    // Connects to the server and creates the stream; the subclass then connects the stream
    // under the lock. 0 or an MciError.
    int createStream(const pa_sample_spec& spec, const char* name);
    void releaseStream();
    // Called on PulseAudio's thread: the current run ends; the GUI thread hears it once.
    void postEnded(bool failed);

    static void onState(pa_stream* stream, void* self);
    static void onStarted(pa_stream* stream, void* self);
    void noteSamplesSent();

    std::shared_ptr<PulseConnection> m_pulse;
    pa_stream* m_stream = nullptr;
    pa_operation* m_drain = nullptr;
    quint64 m_run = 0;
    bool m_running = false;
    bool m_endPosted = false;
    std::atomic<qint64> m_startedNs = 0;
    std::atomic<qint64> m_firstSamplesNs = 0;
};

class PulsePlayback final : public PulseStreamBase {
public:
    PulsePlayback(std::shared_ptr<PulseConnection> pulse, SNDFILE* file, const SF_INFO& info);
    ~PulsePlayback() override;
    int start() override;
    bool isRecording() const override { return false; }
    qint64 lengthMs() const override;

private:
    static void onWrite(pa_stream* stream, size_t bytes, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);

    SNDFILE* m_file;
    SF_INFO m_info;
    bool m_atEnd = false;
};

class PulseRecording final : public PulseStreamBase {
public:
    PulseRecording(std::shared_ptr<PulseConnection> pulse, const QString& tempFolder);
    ~PulseRecording() override;
    int start() override;
    bool isRecording() const override { return true; }
    qint64 lengthMs() const override;
    int save(const QString& path) override;
    qint64 capturedFrames() const { return m_file.frames(); }
    QString capturePath() const override { return m_file.path(); }
    void keepCapture() override {
        stop();
        m_file.keep();
    }

private:
    static void onRead(pa_stream* stream, size_t bytes, void* self);

    WavRecordFile m_file;
};
