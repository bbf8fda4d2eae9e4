// Capture integrity and cost on PulseAudio: records from the default source for --seconds
// (default 60) while the GUI thread is blocked for one second in every ten, then saves and
// compares the frames saved with the time recorded. Also prints the CPU share of one core and
// the growth of the resident memory during the capture. It records from a source of its own, a
// null source with a 20 ms latency made the default for the run, as a microphone would be: the
// private server's own "mic" hears a null sink's monitor, which hands out its first samples
// only at the sink's next turn (up to 2 s), which says nothing about this program.
#include "audio/mcilib.h"
#include "platform/soundpulse.h"
#include "platform/soundpulsestreams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sndfile.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kRate = 16000;
constexpr int kFragmentFrames = kRate / 50; // 20 ms
constexpr double kCpuTargetPercent = 2.0;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long rssKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

int secondsOption(const QStringList& args) {
    const qsizetype at = args.indexOf(QStringLiteral("--seconds"));
    const int seconds = at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : 60;
    return seconds > 0 ? seconds : 60;
}

// Runs the event loop for the capture, blocking it for a second at every tenth second.
void captureWhileBlocking(int seconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 nextBlockMs = 9000;
    while (elapsed.elapsed() < seconds * 1000LL) {
        if (elapsed.elapsed() >= nextBlockMs) {
            QThread::sleep(1);
            nextBlockMs += 10000;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

sf_count_t framesIn(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    return info.frames;
}

// A null source with a microphone's latency, the server's default while this object lives.
class LowLatencySource {
public:
    LowLatencySource() {
        m_previous = pactl({QStringLiteral("get-default-source")});
        m_module = pactl({QStringLiteral("load-module"), QStringLiteral("module-null-source"),
                          QStringLiteral("source_name=quenlark_bench_mic"),
                          QStringLiteral("max_latency_msec=20"),
                          QStringLiteral("rate=%1").arg(kRate), QStringLiteral("channels=1")});
        if (!m_module.isEmpty())
            pactl({QStringLiteral("set-default-source"), QStringLiteral("quenlark_bench_mic")});
    }
    ~LowLatencySource() {
        if (m_module.isEmpty())
            return;
        if (!m_previous.isEmpty())
            pactl({QStringLiteral("set-default-source"), m_previous});
        pactl({QStringLiteral("unload-module"), m_module});
    }
    bool isActive() const { return !m_module.isEmpty(); }

private:
    static QString pactl(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("pactl"), arguments);
        if (!process.waitForFinished(5000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QString m_previous;
    QString m_module;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = secondsOption(app.arguments());
    QTemporaryDir dir;
    LowLatencySource source;
    if (!source.isActive())
        std::printf("capture: no source of its own (pactl failed); recording the default source\n");
    MCILib mci(std::make_unique<PulseSoundBackend>(dir.filePath(QStringLiteral("tmp"))));
    QString result;
    mci.mSendString(QStringLiteral("open new type waveaudio alias r"), result);
    const qint64 sent = nowNs();
    if (mci.mSendString(QStringLiteral("record r"), result) != 0) {
        std::printf("capture: cannot record: %s\n", qPrintable(result));
        return 1;
    }
    auto* stream = dynamic_cast<PulseStreamBase*>(mci.device(QStringLiteral("r")));
    // Memory and CPU from the first second on, once the stream and its buffers exist.
    QThread::sleep(1);
    const long rssBefore = rssKiB();
    const double cpuBefore = cpuSeconds();
    const qint64 measuredFrom = nowNs();
    captureWhileBlocking(seconds - 1);
    const double cpuUsed = cpuSeconds() - cpuBefore;
    const double measuredSeconds = double(nowNs() - measuredFrom) / 1e9;
    const long rssAfter = rssKiB();
    mci.mSendString(QStringLiteral("stop r"), result);
    const qint64 stopped = nowNs();
    const QString saved = dir.filePath(QStringLiteral("capture.wav"));
    if (mci.mSendString(QStringLiteral("save r \"%1\"").arg(saved), result) != 0) {
        std::printf("capture: save failed: %s\n", qPrintable(result));
        return 1;
    }
    const double firstDataMs = stream ? double(stream->serverStartedNs() - sent) / 1e6 : 0;
    const double recordedSeconds = double(stopped - sent) / 1e9;
    const sf_count_t frames = framesIn(saved);
    const double expected = recordedSeconds * kRate;
    const double missing = expected - double(frames);
    // The first fragment arrives one fragment after the capture starts; so does the last one
    // before "stop". Whatever else is missing was lost.
    const double lost = missing - firstDataMs / 1000.0 * kRate;
    std::printf("capture integrity, %d s with the GUI thread blocked 1 s in every 10:\n", seconds);
    std::printf("  frames saved %lld, elapsed x rate %.0f, short by %.0f frames (%.1f ms)   "
                "target <= one fragment (%d frames, 20 ms)   %s\n",
                static_cast<long long>(frames), expected, missing, missing * 1000 / kRate,
                kFragmentFrames, missing <= kFragmentFrames ? "MET" : "MISSED");
    std::printf("  (reference) first samples %.1f ms after \"record\"; short beyond them: %.0f "
                "frames (%.1f ms)\n",
                firstDataMs, lost, lost * 1000 / kRate);
    const double cpuPercent = 100.0 * cpuUsed / measuredSeconds;
    std::printf("recording cost over %.1f s:\n", measuredSeconds);
    std::printf("  CPU %.2f %% of one core   target < %.0f %%   %s\n", cpuPercent,
                kCpuTargetPercent, cpuPercent < kCpuTargetPercent ? "MET" : "MISSED");
    std::printf("  RSS %ld KiB -> %ld KiB (growth %ld KiB)   target flat   %s\n", rssBefore,
                rssAfter, rssAfter - rssBefore, rssAfter - rssBefore < 512 ? "MET" : "MISSED");
    mci.mSendString(QStringLiteral("close r"), result);
    return 0;
}
