#include "notify/base64lib.h"
#include "notify/mailsender.h"
#include "smtpsink.h"
#include "testmain.h"
#include "testservices.h"

#include <QJsonArray>
#include <QRandomGenerator>

// Mail delivered to a real SMTP server (aiosmtpd, tests/notify/smtp_sink.py) on loopback and
// read back as a mail reader would.

class TestMailSmtp : public QObject {
    Q_OBJECT
private slots:
    void mailReaderSeesWhatWasSent_data() {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("wavSize");
        QTest::newRow("plain japanese with dot line")
            << QStringLiteral("着信のお知らせ carol")
            << QStringLiteral("着信がありました。\n.\n発信者 : carol") << 0;
        QTest::newRow("recording attached")
            << QStringLiteral("==Quenlark== Auto Answering Machine [Recorded Message]")
            << QStringLiteral("録音メッセージ\r\n発信者 : bob\r\n日時 : 2005/06/14 09:30.05\r\n")
            << 300001;
    }
    void mailReaderSeesWhatWasSent() {
        QFETCH(QString, subject);
        QFETCH(QString, body);
        QFETCH(int, wavSize);
        TestServices ts;
        QProcess sink;
        const quint16 port = SmtpSink::start(sink, {ts.tempPath() + QStringLiteral("/received")});
        if (port == 0 && sink.waitForFinished(3000) && sink.exitCode() == 3)
            QSKIP("python3-aiosmtpd is not installed");
        QVERIFY2(port != 0, sink.readAllStandardError().constData());
        MailSender sender(ts.services);
        sender.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(port));
        sender.setFrom(QStringLiteral("alice@example.org"));
        sender.setTo(QStringLiteral("bob@example.org"));
        sender.setSubject(subject);
        sender.setBody(body);
        QByteArray wav(wavSize, Qt::Uninitialized);
        for (char& c : wav)
            c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        if (wavSize > 0) {
            const QString recording = writeTestFile(ts.tempPath() + "/rec.wav", "RIFF" + wav);
            const QString attachment = ts.folders.userDataPath() + "/20050614093005_bob.wav";
            QVERIFY(Base64Lib::EncodeFile(recording, attachment));
            sender.setAttachment(attachment);
        }
        sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(sender.text6(), QStringLiteral("OK"), 20000);
        const QString envelopePath = ts.tempPath() + QStringLiteral("/received/mail001.json");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(envelopePath), 5000);
        sink.closeWriteChannel(); // the server stops at the end of its input
        QVERIFY(sink.waitForFinished(5000));
        QVERIFY(!QFile::exists(ts.tempPath() + QStringLiteral("/received/mail002.json")));
        QJsonArray attachments;
        if (wavSize > 0)
            attachments << QJsonObject{{"filename", "20050614093005_bob.wav"},
                                       {"content_type", "audio/x-wav"},
                                       {"data", QString::fromLatin1(("RIFF" + wav).toBase64())}};
        const QJsonObject expected{
            {"envelope", QJsonObject{{"mail_from", "alice@example.org"},
                                     {"rcpt_tos", QJsonArray{"bob@example.org"}},
                                     {"helo", "127.0.0.1"}}},
            {"subject", subject},
            {"to", "bob@example.org"},
            {"from", "alice@example.org"},
            {"x_mailer", "Quenlark"},
            {"date_valid", true},
            {"defects", QJsonArray()},
            {"text", body.replace(QStringLiteral("\r\n"), "\n").trimmed()},
            {"attachments", attachments}};
        const QJsonObject mail = SmtpSink::read(envelopePath.chopped(4) + "eml");
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QVERIFY2(mail[it.key()] == it.value(),
                     qPrintable(it.key() +
                                QJsonDocument(QJsonArray{mail[it.key()]}).toJson().left(200)));
    }
};

QUENLARK_TEST_MAIN(TestMailSmtp)
#include "tst_mailsmtp.moc"
