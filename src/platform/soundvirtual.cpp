#include "soundvirtual.h"

#include "soundfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <vector>

namespace {

class VirtualPlayback final : public SoundStream {
public:
    VirtualPlayback(qint64 lengthMs, double scale, bool deviceMissing)
        : m_lengthMs(lengthMs), m_scale(scale), m_deviceMissing(deviceMissing) {
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, &VirtualPlayback::reachEnd);
    }
    int start() override {
        if (m_deviceMissing)
            return MciError::Hardware;
        if (m_timer.isActive())
            return MciError::None;
        if (m_positionMs >= m_lengthMs)
            m_positionMs = 0;
        m_running.start();
        m_timer.start(int((m_lengthMs - m_positionMs) * m_scale));
        return MciError::None;
    }
    void stop() override {
        if (!m_timer.isActive())
            return;
        m_timer.stop();
        const qint64 played = m_scale > 0 ? qint64(m_running.elapsed() / m_scale) : m_lengthMs;
        m_positionMs = std::min(m_lengthMs, m_positionMs + played);
    }
    bool isRunning() const override { return m_timer.isActive(); }
    bool isRecording() const override { return false; }
    qint64 lengthMs() const override { return m_lengthMs; }

private:
    void reachEnd() {
        m_positionMs = m_lengthMs;
        emit ended(false);
    }

    QTimer m_timer;
    QElapsedTimer m_running;
    qint64 m_lengthMs;
    qint64 m_positionMs = 0;
    double m_scale;
    bool m_deviceMissing;
};

class VirtualRecording final : public SoundStream {
public:
    VirtualRecording(const QString& tempFolder, double scale, bool deviceMissing, QString source)
        : m_file(tempFolder), m_scale(scale), m_deviceMissing(deviceMissing),
          m_source(std::move(source)) {}
    int start() override {
        if (m_deviceMissing)
            return MciError::Hardware;
        if (!m_file.open())
            return MciError::FileNotSaved;
        if (!m_running.isValid())
            m_running.start();
        return MciError::None;
    }
    void stop() override {
        if (!m_running.isValid())
            return;
        const qint64 elapsedMs = m_scale > 0 ? qint64(m_running.elapsed() / m_scale) : 0;
        m_running.invalidate();
        if (m_source.isEmpty() || !appendSource())
            m_file.writeSilence(elapsedMs * SoundFile::RecordRate / 1000);
    }
    bool isRunning() const override { return m_running.isValid(); }
    bool isRecording() const override { return true; }
    // What is captured so far, the running part included.
    qint64 lengthMs() const override {
        const qint64 running =
            m_running.isValid() && m_scale > 0 ? qint64(m_running.elapsed() / m_scale) : 0;
        return m_file.frames() * 1000 / SoundFile::RecordRate + running;
    }
    int save(const QString& path) override {
        stop();
        return m_file.saveTo(path);
    }
    QString capturePath() const override { return m_file.path(); }
    void keepCapture() override {
        stop();
        m_file.keep();
    }

private:
    // The source's first channel, sample for sample (its rate is not converted).
    bool appendSource() {
        SF_INFO info;
        int status = 0;
        SNDFILE* source = SoundFile::openForReading(m_source, info, status);
        if (!source)
            return false;
        std::vector<qint16> frames(size_t(1024) * info.channels);
        std::vector<qint16> mono(1024);
        sf_count_t got = 0;
        while ((got = sf_readf_short(source, frames.data(), 1024)) > 0) {
            for (sf_count_t i = 0; i < got; ++i)
                mono[size_t(i)] = frames[size_t(i * info.channels)];
            m_file.write(mono.data(), got);
        }
        sf_close(source);
        return true;
    }

    WavRecordFile m_file;
    QElapsedTimer m_running;
    double m_scale;
    bool m_deviceMissing;
    QString m_source;
};

} // namespace

VirtualSoundBackend::VirtualSoundBackend(QString tempFolder, VirtualSoundOptions options)
    : m_tempFolder(std::move(tempFolder)), m_scale(options.scale),
      m_deviceMissing(options.deviceMissing), m_recordSource(std::move(options.recordSource)) {}

std::unique_ptr<SoundStream> VirtualSoundBackend::openPlayback(const QString& path, int& status) {
    const qint64 length = SoundFile::lengthMs(path);
    if (length < 0) {
        SF_INFO info;
        SoundFile::openForReading(path, info, status);
        return nullptr;
    }
    status = MciError::None;
    return std::make_unique<VirtualPlayback>(length, m_scale, m_deviceMissing);
}

std::unique_ptr<SoundStream> VirtualSoundBackend::openRecording(int& status) {
    status = MciError::None;
    return std::make_unique<VirtualRecording>(m_tempFolder, m_scale, m_deviceMissing,
                                              m_recordSource);
}
