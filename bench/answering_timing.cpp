// Answer timing of the answering machine on PulseAudio (run on the private daemon of
// scripts/pulse-env.sh): from the first RINGING to "SET CALL ... STATUS INPROGRESS" against the
// configured wait, and from INPROGRESS to the first greeting samples accepted by the server.
#include "answering/answeringports.h"
#include "answering/autoanswermachine.h"
#include "audio/mcilib.h"
#include "platform/soundpulse.h"
#include "platform/soundpulsestreams.h"
#include "testservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 11;
constexpr int kWaitSec = 1;

struct TimedPorts final : AnsweringPorts {
    QElapsedTimer clock;
    qint64 answeredNs = 0;
    void SendCommandToSkype(const QString& line) override {
        if (line.endsWith(QLatin1String("INPROGRESS")))
            answeredNs = clock.nsecsElapsed();
    }
    bool IsRecievedCall(qint32) const override { return true; }
    QString partnerHandle(const QString&) const override { return QStringLiteral("bob"); }
    bool userOnline() const override { return true; }
    void SetIcon(int) override {}
    void SaveCurrentSetting() override {}
    void SetMixerConfig(bool) override {}
    void SendMail(const QString&, const QString&, const QString&) override {}
};

// The clock the sound streams stamp their first samples with.
qint64 steadyNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void line(AutoAnswerMachine& machine, const QString& text) {
    QString copy = text;
    machine.SetSkypeResponse(copy);
}

void writeTone(const QString& path) {
    SF_INFO info{0, 16000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<short> samples(16000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = short(8000 * std::sin(2 * 3.14159265 * 660 * double(i) / 16000));
    sf_writef_short(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TestServices test;
    MCILib mci(std::make_unique<PulseSoundBackend>(test.tempPath() + QStringLiteral("/tmp")));
    TimedPorts ports;
    AutoAnswerMachine machine(test.services, mci, ports);
    writeTone(test.tempPath() + QStringLiteral("/greeting.wav"));
    machine.settings().audioFile = test.tempPath() + QStringLiteral("/greeting.wav");
    machine.settings().ringingWaitSec1 = QString::number(kWaitSec);
    QProcess keepAlive; // a call keeps the sink running
    keepAlive.start(QStringLiteral("pacat"),
                    {QStringLiteral("--playback"), QStringLiteral("/dev/zero")});
    QThread::sleep(3);
    std::vector<double> waitErrorMs, greetingMs;
    for (int run = 0; run < kRuns; ++run) {
        const QString id = QString::number(100 + run);
        ports.answeredNs = 0;
        ports.clock.start();
        line(machine, QStringLiteral("CALL %1 STATUS RINGING").arg(id));
        while (!ports.answeredNs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        waitErrorMs.push_back(std::abs(double(ports.answeredNs) / 1e6 - kWaitSec * 1000.0));
        QElapsedTimer sent;
        sent.start();
        const qint64 inProgressNs = steadyNowNs();
        line(machine, QStringLiteral("CALL %1 STATUS INPROGRESS").arg(id));
        auto* stream = dynamic_cast<PulseStreamBase*>(mci.device(QStringLiteral("aap1")));
        while (stream && stream->firstSamplesNs() == 0 && sent.elapsed() < 3000)
            QThread::usleep(200);
        const bool accepted = stream && stream->firstSamplesNs() != 0;
        greetingMs.push_back(accepted ? double(stream->firstSamplesNs() - inProgressNs) / 1e6 : -1);
        line(machine, QStringLiteral("CALL %1 STATUS FINISHED").arg(id));
        QCoreApplication::processEvents();
    }
    keepAlive.kill();
    keepAlive.waitForFinished(3000);
    const double waitErr = *std::max_element(waitErrorMs.begin(), waitErrorMs.end());
    const double waitMedian = median(waitErrorMs);
    const double greeting = median(greetingMs);
    std::printf("answer timing, %d calls, ring wait %d s:\n", kRuns, kWaitSec);
    std::printf("  RINGING -> SET CALL ... INPROGRESS: difference from the wait median %.1f ms, "
                "largest %.1f ms   target <= 50 ms   %s\n",
                waitMedian, waitErr, waitErr <= 50 ? "MET" : "MISSED");
    std::printf("  INPROGRESS -> first greeting samples accepted: median %.1f ms   "
                "target < 100 ms   %s\n",
                greeting, greeting >= 0 && greeting < 100 ? "MET" : "MISSED");
    return 0;
}
