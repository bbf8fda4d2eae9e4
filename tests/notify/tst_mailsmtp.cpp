#include "notify/base64lib.h"
#include "notify/mailsender.h"
#include "smtpsinkprocess.h"
#include "testmain.h"
#include "testservices.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {

const QString kNotifyTests = QStringLiteral(QUENLARK_SOURCE_DIR "/tests/notify/");

// What a mail reader shows of a stored message (mail_decode.py), as JSON.
QJsonObject decodeMail(const QString& emlPath, const QString& outFolder) {
    QDir().mkpath(outFolder);
    QProcess decoder;
    decoder.start(QStringLiteral("/usr/bin/python3"),
                  {kNotifyTests + QStringLiteral("mail_decode.py"), emlPath, outFolder});
    if (!decoder.waitForFinished(20000) || decoder.exitCode() != 0) {
        qWarning() << decoder.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(decoder.readAllStandardOutput()).object();
}

QJsonObject readJson(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

QByteArray fakeWav(int size) {
    QByteArray wav = QByteArray("RIFF") + QByteArray(size - 4, Qt::Uninitialized);
    for (qsizetype i = 4; i < wav.size(); ++i)
        wav[i] = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return wav;
}

} // namespace

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
        SmtpSinkProcess sink(kNotifyTests + QStringLiteral("smtp_sink.py"),
                             ts.tempPath() + QStringLiteral("/received"));
        QString error;
        if (!sink.start(&error)) {
            if (sink.missingAiosmtpd())
                QSKIP("python3-aiosmtpd is not installed");
            QFAIL(qPrintable(error));
        }
        MailSender sender(ts.services);
        sender.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(sink.port()));
        sender.setFrom(QStringLiteral("alice@example.org"));
        sender.setTo(QStringLiteral("bob@example.org"));
        sender.setSubject(subject);
        sender.setBody(body);
        const QByteArray wav = wavSize > 0 ? fakeWav(wavSize) : QByteArray();
        if (wavSize > 0) {
            const QString recording = writeTestFile(ts.tempPath() + "/rec.wav", wav);
            const QString attachment = ts.folders.userDataPath() + "/20050614093005_bob.wav";
            QVERIFY(Base64Lib::EncodeFile(recording, attachment));
            sender.setAttachment(attachment);
        }
        sender.SendMail();
        QTRY_COMPARE_WITH_TIMEOUT(sender.text6(), QStringLiteral("OK"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(sink.messages().size(), 1, 5000);

        const QString eml = sink.messages().first();
        const QJsonObject envelope = readJson(eml.chopped(4) + QStringLiteral(".json"));
        QCOMPARE(envelope["mail_from"].toString(), QStringLiteral("alice@example.org"));
        QCOMPARE(envelope["rcpt_tos"].toArray(), QJsonArray({"bob@example.org"}));
        QCOMPARE(envelope["helo"].toString(), QStringLiteral("127.0.0.1"));

        const QJsonObject mail = decodeMail(eml, ts.tempPath() + QStringLiteral("/decoded"));
        QCOMPARE(mail["subject"].toString(), subject);
        QCOMPARE(mail["to"].toString(), QStringLiteral("bob@example.org"));
        QCOMPARE(mail["from"].toString(), QStringLiteral("alice@example.org"));
        QCOMPARE(mail["x_mailer"].toString(), QStringLiteral("Quenlark"));
        QVERIFY(mail["date_valid"].toBool());
        QCOMPARE(mail["defects"].toArray(), QJsonArray());
        QString text = mail["text"].toString().replace("\r\n", "\n");
        QString expected = QString(body).replace("\r\n", "\n");
        while (text.endsWith(u'\n'))
            text.chop(1);
        while (expected.endsWith(u'\n'))
            expected.chop(1);
        QCOMPARE(text, expected);

        const QJsonArray attachments = mail["attachments"].toArray();
        QCOMPARE(attachments.size(), wavSize > 0 ? 1 : 0);
        if (wavSize > 0) {
            const QJsonObject part = attachments.first().toObject();
            QCOMPARE(part["filename"].toString(), QStringLiteral("20050614093005_bob.wav"));
            QCOMPARE(part["content_type"].toString(), QStringLiteral("audio/x-wav"));
            QFile decoded(part["path"].toString());
            QVERIFY(decoded.open(QIODevice::ReadOnly));
            QVERIFY(decoded.readAll() == wav);
        }
    }
};

QUENLARK_TEST_MAIN(TestMailSmtp)
#include "tst_mailsmtp.moc"
