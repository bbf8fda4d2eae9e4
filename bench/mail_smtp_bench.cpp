// A mail with a 10 MB WAV recording attached, delivered to a real SMTP server (aiosmtpd) on
// loopback: seconds from SendMail to the "OK" outcome. Target: under 1 s.
#include "mail_bench_support.h"
#include "notify/base64lib.h"
#include "notify/mailsender.h"
#include "smtpsink.h"
#include "testservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TestServices bench;
    bench.dir.setAutoRemove(!qEnvironmentVariableIsSet("QUENLARK_BENCH_KEEP"));

    QProcess sink;
    const quint16 port = SmtpSink::start(sink, {bench.dir.filePath(QStringLiteral("received"))});
    if (port == 0) {
        std::fprintf(stderr, "the SMTP server did not start (python3-aiosmtpd installed?)\n");
        return 1;
    }
    const QString wav = bench.dir.filePath(QStringLiteral("recording.wav"));
    const QString attachment =
        bench.folders.userDataPath() + QStringLiteral("/20261206120000_bob.wav");
    QElapsedTimer encodeTimer;
    encodeTimer.start();
    if (!MailBench::writeWav(wav) || !Base64Lib::EncodeFile(wav, attachment)) {
        std::fprintf(stderr, "cannot prepare the attachment\n");
        return 1;
    }
    const double encodeSec = encodeTimer.nsecsElapsed() / 1e9;

    MailSender sender(bench.services);
    sender.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(port));
    sender.setFrom(QStringLiteral("alice@example.org"));
    sender.setTo(QStringLiteral("bob@example.org"));
    // QUENLARK_BENCH_STAGES=1 prints when each step of the conversation starts.
    QElapsedTimer timer;
    if (qEnvironmentVariableIsSet("QUENLARK_BENCH_STAGES"))
        QObject::connect(
            &sender, &MailSender::mailStatusChanged, &sender, [&timer](const QString& step) {
                std::printf("    %7.3f s  %s\n", timer.nsecsElapsed() / 1e9, qPrintable(step));
            });
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        sender.setSubject(QStringLiteral("==Quenlark== Auto Answering Machine [Recorded Message]"));
        sender.setBody(QStringLiteral("録音メッセージ\r\n発信者 : bob\r\n"));
        sender.setAttachment(attachment);
        timer.start();
        sender.SendMail();
        while (sender.text6() != QLatin1String("OK") && timer.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            if (sender.text6().startsWith(QLatin1String("ERR")))
                break;
        }
        if (sender.text6() != QLatin1String("OK")) {
            std::fprintf(stderr, "run %d ended with \"%s\"\n", run, qPrintable(sender.text6()));
            return 1;
        }
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        // The next mail starts from a clean outcome.
        QCoreApplication::processEvents();
    }
    sink.closeWriteChannel();
    sink.waitForFinished(5000);

    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("Mail with a %.0f MB WAV attachment to aiosmtpd on loopback, %d runs\n",
                MailBench::kWavBytes / 1e6, kRuns);
    std::printf("  Base64 encoding of the attachment (before SendMail): %.3f s\n", encodeSec);
    std::printf("  SendMail to \"OK\": median %.3f s, best %.3f s, worst %.3f s\n", median,
                seconds.front(), seconds.back());
    std::printf("  target median < 1 s  %s\n", median < 1.0 ? "MET" : "MISSED");
    return 0;
}
