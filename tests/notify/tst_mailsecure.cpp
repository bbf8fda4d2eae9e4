#include "memorysecretstore.h"
#include "notify/base64lib.h"
#include "notify/mailpassword.h"
#include "notify/mailsender.h"
#include "smtpsink.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>
#include <QJsonArray>

// Mail over STARTTLS and implicit TLS with AUTH PLAIN and LOGIN to a real SMTP server (aiosmtpd,
// tests/notify/smtp_tls_sink.py) whose certificate comes from an authority the test trusts,
// read back as a mail reader shows it (Japanese text, a dot line, a recording attached).
class TestMailSecure : public QObject {
    Q_OBJECT
    TestServices ts;
    QProcess sink;

private slots:
    void initTestCase() {
        ts.language.LoadLanguagePack(QStringLiteral("en"));
        ts.console.setEnabled(true); // so that anything the sender would log is kept
        ts.log.SetLogLevel(1);
    }
    void cleanup() {
        sink.closeWriteChannel(); // the server stops at the end of its input
        sink.waitForFinished(5000);
    }

    void conversation_data() {
        // Server mode, certificate host, excluded mechanism; "tls" is the client's mode too,
        // else the client asks for STARTTLS.
        QTest::addColumn<QStringList>("server");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("wavSize"); // -1: the Test button instead of a mail
        QTest::addColumn<QString>("outcome");
        const QString ok = QStringLiteral("OK");
        const QString refused =
            QStringLiteral("ERR : 535 5.7.8 Authentication credentials invalid");
        const QStringList local{"starttls", "127.0.0.1", ""};
        const QStringList localTls{"tls", "127.0.0.1", ""};
        const QStringList loginOnly{"starttls", "127.0.0.1", "PLAIN"};
        const QStringList loginOnlyTls{"tls", "127.0.0.1", "PLAIN"};
        QTest::newRow("STARTTLS, PLAIN") << local << "s3cret!" << 0 << ok;
        QTest::newRow("STARTTLS, LOGIN, recording") << loginOnly << "s3cret!" << 300001 << ok;
        QTest::newRow("TLS, LOGIN") << loginOnlyTls << "s3cret!" << 0 << ok;
        QTest::newRow("TLS, PLAIN, recording") << localTls << "s3cret!" << 300001 << ok;
        QTest::newRow("wrong password, PLAIN") << local << "wrong" << 0 << refused;
        QTest::newRow("wrong password, LOGIN") << loginOnlyTls << "wrong" << 0 << refused;
        QTest::newRow("certificate for another host, STARTTLS")
            << QStringList{"starttls", "mail.example.net", ""} << "s3cret!" << 0
            << "ERR : TLS The host name did not match";
        QTest::newRow("certificate for another host, TLS")
            << QStringList{"tls", "mail.example.net", ""} << "s3cret!" << 0
            << "ERR : TLS The host name did not match";
        QTest::newRow("STARTTLS required, not offered")
            << QStringList{"plain", "127.0.0.1", ""} << "s3cret!" << 0
            << "ERR : the server offers no STARTTLS";
        QTest::newRow("Test, STARTTLS")
            << local << "s3cret!" << -1 << "Test passed (STARTTLS (TLSv1.3), AUTH PLAIN).";
        QTest::newRow("Test, TLS, wrong password")
            << localTls << "wrong" << -1 << "Test failed. " + refused;
    }
    void conversation() {
        QFETCH(QStringList, server);
        QFETCH(QString, password);
        QFETCH(int, wavSize);
        QFETCH(QString, outcome);
        const QString folder = ts.tempPath() + u'/' + QTest::currentDataTag();
        // Mode, certificate host, AUTH required for alice, less the excluded mechanism.
        const quint16 port = SmtpSink::start(
            sink, {folder, server[0], server[1], "alice:s3cret!", server[2]}, "smtp_tls_sink.py");
        if (port == 0 && sink.waitForFinished(3000) && sink.exitCode() == 3)
            QSKIP("python3-aiosmtpd is not installed");
        QVERIFY2(port != 0, sink.readAllStandardError().constData());
        auto owned = std::make_unique<MemorySecretStore>();
        MemorySecretStore* secrets = owned.get();
        MailSender mail(ts.services, nullptr, std::move(owned));
        QSignalSpy tests(&mail, &MailSender::testFinished);
        mail.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(port));
        mail.setSecurity(server[0] == "tls" ? SmtpSecurity::Tls : SmtpSecurity::StartTls);
        mail.setFrom(QStringLiteral("alice@example.org"));
        mail.setTo(QStringLiteral("bob@example.org"));
        mail.setUser(QStringLiteral("alice"));
        mail.password().setPassword(password);
        const QString subject = QStringLiteral("着信のお知らせ carol");
        mail.setSubject(subject);
        mail.setBody(QStringLiteral("録音メッセージ\r\n.\r\n発信者 : carol\r\n"));
        const QByteArray wav(qMax(wavSize, 0), 'w');
        if (wavSize > 0) {
            const QString attachment = ts.folders.userDataPath() + "/20261206120000_carol.wav";
            QVERIFY(Base64Lib::EncodeFile(writeTestFile(folder + "/rec.wav", wav), attachment));
            mail.setAttachment(attachment);
        }
        wavSize < 0 ? mail.Test() : mail.SendMail();
        QTRY_VERIFY_WITH_TIMEOUT(mail.queue().isEmpty() || mail.queue()[0].state == 2, 20000);
        QDir received(folder);
        if (wavSize < 0) {
            QTRY_COMPARE(tests.size(), 1);
            QVERIFY2(tests[0][1].toString().startsWith(outcome),
                     qPrintable(tests[0][1].toString()));
        } else if (outcome != QLatin1String("OK")) {
            QVERIFY2(mail.text6().startsWith(outcome), qPrintable(mail.text6()));
        } else {
            QCOMPARE(mail.text6(), outcome);
            QTRY_VERIFY(received.exists("mail001.json"));
            QJsonArray attachments;
            if (wavSize > 0)
                attachments << QJsonObject{{"filename", "20261206120000_carol.wav"},
                                           {"content_type", "audio/x-wav"},
                                           {"data", QString::fromLatin1(wav.toBase64())}};
            const QJsonObject expected{
                {"envelope", QJsonObject{{"mail_from", "alice@example.org"},
                                         {"rcpt_tos", QJsonArray{"bob@example.org"}},
                                         {"helo", "[127.0.0.1]"}}}, // EHLO, as AUTH needs
                {"subject", subject},
                {"to", "bob@example.org"},
                {"from", "alice@example.org"},
                {"x_mailer", "Quenlark"},
                {"date_valid", true},
                {"defects", QJsonArray()},
                {"text", QStringLiteral("録音メッセージ\n.\n発信者 : carol")},
                {"attachments", attachments}};
            const QJsonObject shown = SmtpSink::read(received.filePath("mail001.eml"));
            for (auto it = expected.begin(); it != expected.end(); ++it)
                QVERIFY2(shown[it.key()] == it.value(),
                         qPrintable(it.key() +
                                    QJsonDocument(QJsonArray{shown[it.key()]}).toJson().left(200)));
        }
        cleanup();
        QCOMPARE(received.entryList({"mail*.json"}).size(), outcome == "OK" ? 1 : 0);
        // The password goes to the secret store and nowhere else.
        mail.SaveSettings();
        QTRY_COMPARE(secrets->entries.value(MailPassword::keyFor("alice", "127.0.0.1")), password);
        QFile log(ts.log.filePath());
        QString kept = ts.console.consoleLines().join(u'\n') +
                       (log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray());
        for (const QString& key : ts.settings.keys(QStringLiteral("SendMail")))
            kept += ts.settings.read(QStringLiteral("SendMail"), key);
        for (const QString& secret : {password, QString::fromLatin1(password.toUtf8().toBase64()),
                                      QStringLiteral("AGFsaWNlA")}) // "\0alice\0"
            QVERIFY2(!kept.contains(secret), qPrintable(secret));
    }
};

QUENLARK_TEST_MAIN(TestMailSecure)
#include "tst_mailsecure.moc"
