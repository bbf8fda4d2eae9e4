// Playback start latency on PulseAudio: the time from "play p notify" to the moment the server
// takes the first samples (its first request, answered), and, for reference, to the moment it
// reports the stream playing. Run it on a null sink
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

// One start: milliseconds until the server took the first samples, and until it reported the
// stream playing; negative when that did not happen within three seconds.
struct Start {
    double acceptedMs = -1;
    double playingMs = -1;
};

Start oneStart(MCILib& mci) {
    QString result;
    const qint64 sent = nowNs();
    if (mci.mSendString(QStringLiteral("play p notify"), result) != 0) {
        std::fprintf(stderr, "play failed: %s\n", qPrintable(result));
        return {};
    }
    auto* stream = dynamic_cast<PulseStreamBase*>(mci.device(QStringLiteral("p")));
    QElapsedTimer waited;
    waited.start();
    while (stream && stream->serverStartedNs() == 0 && waited.elapsed() < 3000)
        QThread::usleep(200);
    const auto since = [sent](qint64 ns) { return ns ? double(ns - sent) / 1e6 : -1; };
    const Start start{stream ? since(stream->firstSamplesNs()) : -1,
                      stream ? since(stream->serverStartedNs()) : -1};
    mci.mSendString(QStringLiteral("stop p"), result);
    QCoreApplication::processEvents();
    return start;
}

struct Figures {
    std::vector<double> accepted;
    std::vector<double> playing;
};

// Both latencies of that many plays from the start of the file, each sorted.
Figures measure(MCILib& mci, const QString& file, int runs) {
    Figures figures;
    QString result;
    for (int i = 0; i < runs; ++i) {
        // "stop" keeps the position; reopen so that every play starts at the beginning.
        mci.mSendString(QStringLiteral("close p"), result);
        mci.mSendString(QStringLiteral("open \"%1\" alias p").arg(file), result);
        const Start start = oneStart(mci);
        figures.accepted.push_back(start.acceptedMs);
        figures.playing.push_back(start.playingMs);
    }
    std::sort(figures.accepted.begin(), figures.accepted.end());
    std::sort(figures.playing.begin(), figures.playing.end());
    return figures;
}

void print(const char* title, const Figures& figures) {
    const std::vector<double>& ms = figures.accepted;
    const double median = ms[ms.size() / 2];
    std::printf("  %s, %zu runs:\n", title, ms.size());
    std::printf("    first samples accepted: median %.1f ms, min %.1f ms, max %.1f ms   "
                "target < %.0f ms   %s\n",
                median, ms.front(), ms.back(), kTargetMs,
                median >= 0 && median < kTargetMs ? "MET" : "MISSED");
    const std::vector<double>& playing = figures.playing;
    std::printf("    server playing (reference): median %.1f ms, min %.1f ms, max %.1f ms\n",
                playing[playing.size() / 2], playing.front(), playing.back());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("silence.wav"));
    if (!writeSilence(file, 2.0))
        return 1;
    MCILib mci(std::make_unique<PulseSoundBackend>(dir.filePath(QStringLiteral("tmp"))));
    const Figures first = measure(mci, file, 1);
    if (first.accepted.front() < 0) {
        std::printf("playback start latency: no sound server\n");
        return 1;
    }
    std::printf("playback start latency (\"play p notify\" -> first samples accepted by the "
                "server; the server reporting the stream playing for reference):\n");
    std::printf("  first play, connecting to the server included: accepted %.1f ms, playing "
                "%.1f ms\n",
                first.accepted.front(), first.playing.front());
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
