// The same mail with a 10 MB WAV recording attached, sent to aiosmtpd on loopback in plain
// mode and over STARTTLS with AUTH PLAIN, runs alternating: seconds from SendMail to "OK".
// Target: the STARTTLS median at most 1.5 times the plain median.
#include "mail_bench_support.h"
#include "memorysecretstore.h"
#include "notify/base64lib.h"
#include "notify/mailpassword.h"
#include "notify/mailsender.h"
#include "smtpsink.h"
#include "testservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;

// Seconds from SendMail to "OK", or a negative number when the mail failed.
double sendOnce(MailSender& sender, const QString& attachment) {
    sender.setSubject(QStringLiteral("==Quenlark== Auto Answering Machine [Recorded Message]"));
    sender.setBody(QStringLiteral("録音メッセージ\r\n発信者 : bob\r\n"));
    sender.setAttachment(attachment);
    QElapsedTimer timer;
    timer.start();
    sender.SendMail();
    while (sender.text6().isEmpty() && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = timer.nsecsElapsed() / 1e9;
    QCoreApplication::processEvents();
    return sender.text6() == QLatin1String("OK") ? seconds : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TestServices bench;
    QProcess plainSink;
    QProcess tlsSink;
    const quint16 plainPort = SmtpSink::start(plainSink, {bench.dir.filePath("plain")});
    const quint16 tlsPort = SmtpSink::start(
        tlsSink, {bench.dir.filePath("tls"), "starttls", "127.0.0.1", "alice:s3cret"},
        "smtp_tls_sink.py");
    const QString wav = bench.dir.filePath(QStringLiteral("recording.wav"));
    const QString attachment = bench.folders.userDataPath() + "/20261206120000_bob.wav";
    if (plainPort == 0 || tlsPort == 0 || !MailBench::writeWav(wav) ||
        !Base64Lib::EncodeFile(wav, attachment)) {
        std::fprintf(stderr, "cannot start the SMTP servers (python3-aiosmtpd, openssl?)\n");
        return 1;
    }
    MailSender plain(bench.services);
    plain.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(plainPort));
    MailSender secured(bench.services, nullptr, std::make_unique<MemorySecretStore>());
    secured.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(tlsPort));
    secured.setSecurity(SmtpSecurity::StartTls);
    secured.setUser(QStringLiteral("alice"));
    secured.password().setPassword(QStringLiteral("s3cret"));
    std::vector<double> plainSeconds;
    std::vector<double> tlsSeconds;
    for (MailSender* sender : {&plain, &secured}) {
        sender->setFrom(QStringLiteral("alice@example.org"));
        sender->setTo(QStringLiteral("bob@example.org"));
    }
    for (int run = 0; run < kRuns; ++run) {
        plainSeconds.push_back(sendOnce(plain, attachment));
        tlsSeconds.push_back(sendOnce(secured, attachment));
        if (plainSeconds.back() < 0 || tlsSeconds.back() < 0) {
            std::fprintf(stderr, "run %d failed: plain \"%s\", STARTTLS \"%s\"\n", run,
                         qPrintable(plain.text6()), qPrintable(secured.text6()));
            return 1;
        }
    }
    for (QProcess* sink : {&plainSink, &tlsSink}) {
        sink->closeWriteChannel();
        sink->waitForFinished(5000);
    }
    const double plainMedian = median(plainSeconds);
    const double tlsMedian = median(tlsSeconds);
    const double ratio = tlsMedian / plainMedian;
    std::printf("Mail with a %.0f MB WAV attachment to aiosmtpd on loopback, %d runs each\n",
                MailBench::kWavBytes / 1e6, kRuns);
    std::printf("  plain:              median %.3f s\n", plainMedian);
    std::printf("  STARTTLS + AUTH:    median %.3f s\n", tlsMedian);
    std::printf("  ratio %.2f, target <= 1.5  %s\n", ratio, ratio <= 1.5 ? "MET" : "MISSED");
    return 0;
}
