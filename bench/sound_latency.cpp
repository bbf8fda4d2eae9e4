// Playback start latency on PulseAudio: the time from "play p notify" to the moment the server
// reports the stream playing, i.e. has taken its first samples. Run it on a null sink
// (scripts/pulse-env.sh). A null sink with nothing to play renders in blocks of up to two
// seconds and takes a new stream only at its next turn, so the figures are given twice: on the
// idle sink, and while another client (pacat) keeps the sink running as a call would.
#include "audio/mcilib.h"
#include "platform/soundpulse.h"
#include "platform/soundpulsestreams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 21;
constexpr int kIdleRuns = 5;
constexpr double kTargetMs = 50.0;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool writeSilence(const QString& path, double seconds) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<short> frames(size_t(seconds * info.samplerate) * 2);
    sf_writef_short(file, frames.data(), sf_count_t(frames.size() / 2));
    sf_close(file);
    return true;
}

// Milliseconds until the stream runs; negative when it never did within two seconds.
double oneStart(MCILib& mci) {
    QString result;
    const qint64 sent = nowNs();
    if (mci.mSendString(QStringLiteral("play p notify"), result) != 0) {
        std::fprintf(stderr, "play failed: %s\n", qPrintable(result));
        return -1;
    }
    auto* stream = dynamic_cast<PulseStreamBase*>(mci.device(QStringLiteral("p")));
    QElapsedTimer waited;
    waited.start();
    while (stream && stream->serverStartedNs() == 0 && waited.elapsed() < 2000)
        QThread::usleep(200);
    const qint64 started = stream ? stream->serverStartedNs() : 0;
    mci.mSendString(QStringLiteral("stop p"), result);
    QCoreApplication::processEvents();
    return started ? double(started - sent) / 1e6 : -1;
}

// Latencies of runs plays from the start of the file, sorted.
std::vector<double> measure(MCILib& mci, const QString& file, int runs) {
    std::vector<double> latencies;
    QString result;
    for (int i = 0; i < runs; ++i) {
        // "stop" keeps the position; reopen so that every play starts at the beginning.
        mci.mSendString(QStringLiteral("close p"), result);
        mci.mSendString(QStringLiteral("open \"%1\" alias p").arg(file), result);
        latencies.push_back(oneStart(mci));
    }
    std::sort(latencies.begin(), latencies.end());
    return latencies;
}

void print(const char* title, const std::vector<double>& ms) {
    const double median = ms[ms.size() / 2];
    std::printf("  %s, %zu runs: median %.1f ms, min %.1f ms, max %.1f ms   target < %.0f ms   "
                "%s\n",
                title, ms.size(), median, ms.front(), ms.back(), kTargetMs,
                median >= 0 && median < kTargetMs ? "MET" : "MISSED");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("silence.wav"));
    if (!writeSilence(file, 2.0))
        return 1;
    MCILib mci(std::make_unique<PulseSoundBackend>(dir.filePath(QStringLiteral("tmp"))));
    const std::vector<double> first = measure(mci, file, 1);
    if (first.front() < 0) {
        std::printf("playback start latency: no sound server\n");
        return 1;
    }
    std::printf("playback start latency (\"play p notify\" -> server playing):\n");
    std::printf("  first play on the idle sink, connecting to the server included: %.1f ms\n",
                first.front());
    print("idle null sink", measure(mci, file, kIdleRuns));
    QProcess keepAlive;
    keepAlive.start(QStringLiteral("pacat"),
                    {QStringLiteral("--playback"), QStringLiteral("/dev/zero"),
                     QStringLiteral("--latency-msec=50")});
    if (!keepAlive.waitForStarted(3000)) {
        std::printf("  running sink: pacat is missing\n");
        return 0;
    }
    // The sink leaves its long idle blocks within about two seconds.
    QThread::sleep(3);
    print("running sink", measure(mci, file, kRuns));
    keepAlive.kill();
    keepAlive.waitForFinished(3000);
    return 0;
}
