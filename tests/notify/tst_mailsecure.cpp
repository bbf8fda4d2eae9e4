#include "memorysecretstore.h"
#include "notify/base64lib.h"
#include "notify/mailcompose.h"
#include "notify/mailpassword.h"
#include "notify/mailsender.h"
#include "testmain.h"
#include "testservices.h"

#include <QDir>
#include <QSslConfiguration>

// Mail over STARTTLS and implicit TLS with AUTH PLAIN and LOGIN, delivered to a real SMTP server
// (aiosmtpd, tests/notify/smtp_tls_sink.py) whose certificate comes from a test authority.
namespace {

const QString kSink = QStringLiteral(QUENLARK_SOURCE_DIR "/tests/notify/smtp_tls_sink.py");

// One server: mode "starttls", "tls" or "plain" (no STARTTLS offered), a certificate for
// certHost, and when account is "user:password" AUTH required, less the excluded mechanism.
struct Sink {
    QProcess process;
    QString folder;
    quint16 port = 0;

    bool start(const QString& where, const QString& mode, const QString& certHost,
               const QString& account = {}, const QString& excluded = {}) {
        folder = where;
        QStringList args{kSink, folder, mode, certHost};
        if (!account.isEmpty())
            args << account << excluded;
        process.start(QStringLiteral("/usr/bin/python3"), args);
        while (process.canReadLine() || process.waitForReadyRead(20000)) {
            const QByteArray line = process.readLine().trimmed();
            if (line.startsWith("CA ")) // the test trusts the authority as the system's own
                trust(QString::fromUtf8(line.mid(3)));
            if (line.startsWith("PORT "))
                return (port = static_cast<quint16>(line.mid(5).toUInt())) != 0;
        }
        return false;
    }
    static void trust(const QString& caFile) {
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.addCaCertificates(caFile);
        QSslConfiguration::setDefaultConfiguration(config);
    }
    QStringList mails() const { return QDir(folder).entryList({"mail*.json"}); }
    QByteArray content(int n) const {
        QFile file(folder + QStringLiteral("/mail%1.eml").arg(n, 3, 10, QChar(u'0')));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ~Sink() {
        process.closeWriteChannel(); // the server stops at the end of its input
        process.waitForFinished(5000);
    }
};

} // namespace

class TestMailSecure : public QObject {
    Q_OBJECT
    TestServices ts;
    MemorySecretStore* secrets = nullptr;

    std::unique_ptr<MailSender> sender(const Sink& sink, SmtpSecurity security,
                                       const QString& password) {
        auto store = std::make_unique<MemorySecretStore>();
        secrets = store.get();
        ts.console.setEnabled(true); // everything that could be logged is
        ts.log.SetLogLevel(1);
        auto made = std::make_unique<MailSender>(ts.services, nullptr, std::move(store));
        made->setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(sink.port));
        made->setSecurity(security);
        made->setFrom(QStringLiteral("alice@example.org"));
        made->setTo(QStringLiteral("bob@example.org"));
        made->setUser(QStringLiteral("alice"));
        made->password().setPassword(password);
        made->setSubject(QStringLiteral("Recorded message"));
        made->setBody(QStringLiteral("A message from carol\r\n"));
        return made;
    }
    void startSink(Sink& sink, const QString& mode, const QString& certHost,
                   const QString& account = QStringLiteral("alice:s3cret!"),
                   const QString& excluded = {}) {
        const QString folder = ts.tempPath() + u'/' + QTest::currentDataTag();
        if (!sink.start(folder, mode, certHost, account, excluded) &&
            sink.process.waitForFinished(3000) && sink.process.exitCode() == 3)
            QSKIP("python3-aiosmtpd is not installed");
        QVERIFY2(sink.port != 0, sink.process.readAllStandardError().constData());
    }

private slots:
    void initTestCase() { ts.language.LoadLanguagePack(QStringLiteral("en")); }
    void deliversTheExactMailSecuredAndLoggedIn_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<int>("wavSize");
        QTest::newRow("STARTTLS, AUTH PLAIN") << "starttls"
                                              << "" << 0;
        QTest::newRow("STARTTLS, AUTH LOGIN, recording") << "starttls"
                                                         << "PLAIN" << 300001;
        QTest::newRow("TLS, AUTH LOGIN") << "tls"
                                         << "PLAIN" << 0;
        QTest::newRow("TLS, AUTH PLAIN, recording") << "tls"
                                                    << "" << 300001;
    }
    void deliversTheExactMailSecuredAndLoggedIn() {
        QFETCH(QString, mode);
        QFETCH(QString, excluded);
        QFETCH(int, wavSize);
        Sink sink;
        startSink(sink, mode, QStringLiteral("127.0.0.1"), QStringLiteral("alice:s3cret!"),
                  excluded);
        const SmtpSecurity security = mode == "tls" ? SmtpSecurity::Tls : SmtpSecurity::StartTls;
        auto mail = sender(sink, security, QStringLiteral("s3cret!"));
        QByteArray attachmentLines;
        if (wavSize > 0) {
            const QString wav = writeTestFile(ts.tempPath() + "/rec.wav", QByteArray(wavSize, 'w'));
            const QString attachment = ts.folders.userDataPath() + "/20261206120000_carol.wav";
            QVERIFY(Base64Lib::EncodeFile(wav, attachment));
            QFile file(attachment);
            QVERIFY(file.open(QIODevice::ReadOnly));
            attachmentLines = file.readAll() + "\r\n"; // the last line gets its line end
            mail->setAttachment(attachment);
        }
        mail->SendMail();
        const MailSender::Record record = mail->queue().first();
        QTRY_COMPARE_WITH_TIMEOUT(mail->text6(), QStringLiteral("OK"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(sink.mails().size(), 1, 5000);
        QByteArray expected =
            wavSize == 0
                ? MailCompose::PlainMessage(record.header, mail->subject(), mail->body())
                : MailCompose::MultipartHead(record.header, record.boundary, mail->subject(),
                                             mail->body()) +
                      MailCompose::AttachmentPartHeader(record.boundary, record.attachmentPath) +
                      attachmentLines + MailCompose::MultipartTail(record.boundary);
        QVERIFY(expected.endsWith("\r\n.\r\n"));
        QCOMPARE(sink.content(1), expected.chopped(3)); // the server keeps all but the "." line
        // The password went to the secret store, and nowhere else.
        mail->SaveSettings();
        QTRY_COMPARE(secrets->entries.value(MailPassword::keyFor("alice", "127.0.0.1")),
                     QStringLiteral("s3cret!"));
        QString logged = ts.console.consoleLines().join(u'\n');
        QFile log(ts.log.filePath());
        if (log.open(QIODevice::ReadOnly))
            logged += QString::fromUtf8(log.readAll());
        for (const QString& key : ts.settings.keys(QStringLiteral("SendMail")))
            logged += ts.settings.read(QStringLiteral("SendMail"), key);
        for (const QString& secret :
             {QStringLiteral("s3cret!"), QStringLiteral("czNjcmV0IQ"), QStringLiteral("AGFsaWNl")})
            QVERIFY2(!logged.contains(secret), qPrintable(secret));
    }

    void refusesWhatIsNotSafeOrNotAllowed_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("certHost");
        QTest::addColumn<int>("security");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("excluded");
        QTest::addColumn<QString>("error");
        const int startTls = int(SmtpSecurity::StartTls);
        const int tls = int(SmtpSecurity::Tls);
        const QString refused =
            QStringLiteral("ERR : 535 5.7.8 Authentication credentials invalid");
        QTest::newRow("wrong password, PLAIN") << "starttls"
                                               << "127.0.0.1" << startTls << "wrong"
                                               << "" << refused;
        QTest::newRow("wrong password, LOGIN") << "tls"
                                               << "127.0.0.1" << tls << "wrong"
                                               << "PLAIN" << refused;
        QTest::newRow("certificate for another host, STARTTLS")
            << "starttls"
            << "mail.example.net" << startTls << "s3cret!"
            << ""
            << "ERR : TLS ";
        QTest::newRow("certificate for another host, TLS") << "tls"
                                                           << "mail.example.net" << tls << "s3cret!"
                                                           << ""
                                                           << "ERR : TLS ";
        QTest::newRow("STARTTLS required but not offered") << "plain"
                                                           << "127.0.0.1" << startTls << "s3cret!"
                                                           << ""
                                                           << "ERR : the server offers no STARTTLS";
    }
    void refusesWhatIsNotSafeOrNotAllowed() {
        QFETCH(QString, mode);
        QFETCH(QString, certHost);
        QFETCH(int, security);
        QFETCH(QString, password);
        QFETCH(QString, excluded);
        QFETCH(QString, error);
        Sink sink;
        startSink(sink, mode, certHost, QStringLiteral("alice:s3cret!"), excluded);
        auto mail = sender(sink, SmtpSecurity(security), password);
        QSignalSpy tests(mail.get(), &MailSender::testFinished);
        mail->SendMail();
        mail->Test();
        QTRY_VERIFY_WITH_TIMEOUT(tests.size() == 1, 20000);
        QVERIFY(mail->text6().startsWith(error));
        QCOMPARE(tests[0][0].toBool(), false);
        QVERIFY2(tests[0][1].toString().contains(error.mid(6)), qPrintable(tests[0][1].toString()));
        QVERIFY(sink.mails().isEmpty());
        QVERIFY(mail->tag().isEmpty());
    }

    void testButtonLogsInAndSendsNoMail_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("security");
        QTest::addColumn<QString>("shown");
        QTest::newRow("STARTTLS") << "starttls" << int(SmtpSecurity::StartTls)
                                  << "STARTTLS (TLSv1.3), AUTH PLAIN";
        QTest::newRow("TLS") << "tls" << int(SmtpSecurity::Tls) << "TLS (TLSv1.3), AUTH PLAIN";
    }
    void testButtonLogsInAndSendsNoMail() {
        QFETCH(QString, mode);
        QFETCH(int, security);
        QFETCH(QString, shown);
        Sink sink;
        startSink(sink, mode, QStringLiteral("127.0.0.1"));
        auto mail = sender(sink, SmtpSecurity(security), QStringLiteral("s3cret!"));
        QSignalSpy tests(mail.get(), &MailSender::testFinished);
        mail->Test();
        QTRY_VERIFY_WITH_TIMEOUT(tests.size() == 1, 20000);
        QCOMPARE(tests[0][0].toBool(), true);
        QVERIFY2(tests[0][1].toString().contains(shown), qPrintable(tests[0][1].toString()));
        QCOMPARE(mail->text6(), QStringLiteral("OK"));
        QVERIFY(mail->queue().isEmpty());
        sink.process.closeWriteChannel();
        QVERIFY(sink.process.waitForFinished(5000));
        QVERIFY(sink.mails().isEmpty());
    }
};

QUENLARK_TEST_MAIN(TestMailSecure)
#include "tst_mailsecure.moc"
