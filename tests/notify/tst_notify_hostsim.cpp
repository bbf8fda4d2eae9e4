// The notification features of the whole program core (a Session on the real D-Bus link)
// against quenlark-hostsim on private buses: a chat reported and announced back, a ringing
// call reported by chat and by mail to a real SMTP server (aiosmtpd), a control message
// marked read, and two copies that list each other as recipients.
#include "app/mainformcore.h"
#include "hostsimharness.h"
#include "notify/mailsender.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "platform/hosttransportdbus.h"
#include "smtpsink.h"
#include "testmain.h"
#include "testservices.h"
#include "testsession.h"

namespace {

// One copy of the program's core (a whole Session) on its own connection to a bus, with the
// switches, the recipient and the call-back handle stored as the user leaves them.
struct Program {
    Program(const QString& address, const QString& connectionName, const QString& recipient,
            const QString& callback)
        : name(connectionName), transport(QDBusConnection::connectToBus(address, connectionName)) {
        for (const char* key : {"SendIMFlag", "SendMailFlag", "CallbackAnounceFlag"})
            test.settings.write("Main", QString::fromLatin1(key), "1");
        test.settings.write("BroadCastStatus", "User001", recipient);
        test.settings.write("AnnounceBack", "CallbackHandle", callback);
        session = std::make_unique<Session>(test.services,
                                            testBackends(transport, test.tempPath() + "/unsaved"));
        transport.registerClient();
        session->api().ConnectToSkype();
        QTRY_VERIFY(!session->main().currentUserHandle().isEmpty());
        session->main().timer1().stop();
    }
    ~Program() {
        session.reset();
        QDBusConnection::disconnectFromBus(name);
    }
    Notifications& notify() { return session->notifications(); }

    QString name;
    TestServices test;
    DBusHostTransport transport;
    std::unique_ptr<Session> session;
};

} // namespace

class NotifyHostSimTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<Program> alice_;

    QDBusConnection controller() { return QDBusConnection(QStringLiteral("controller")); }
    // alice on a bus of her own (and more users given with their own --user options),
    // reporting to RECIPIENT.
    void start(const QString& recipient, const QStringList& moreUsers = {}) {
        bus_ = std::make_unique<PrivateBus>();
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + bus_->address()} +
            moreUsers);
        QVERIFY(sim_->isReady());
        QDBusConnection::connectToBus(bus_->address(), QStringLiteral("controller"));
        alice_ = std::make_unique<Program>(bus_->address(), QStringLiteral("alice"), recipient,
                                           QStringLiteral("alice.away"));
    }
    uint sim(const QString& method, const QVariantList& arguments = {}) {
        QDBusConnection bus = controller();
        return control(bus, method, arguments).toUInt();
    }
    // "user:line" for every line the programs sent to the simulator, from its transcript.
    QStringList sent() {
        QDBusConnection bus = controller();
        QStringList lines;
        for (const QString& entry : control(bus, QStringLiteral("Transcript")).toStringList())
            if (entry.section(u' ', 3, 3) == QLatin1String("<-"))
                lines << entry.section(u' ', 2, 2) + u':' +
                             entry.mid(entry.indexOf(u'[') + 1).chopped(1);
        return lines;
    }

private slots:
    void cleanup() {
        alice_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("controller"));
        sim_.reset();
        bus_.reset();
    }

    // A chat is reported and announced back; a control message is only marked read.
    void chatIsReportedAndAnnouncedBackControlMessageIsNot() {
        start(QStringLiteral("carol"));
        QDBusConnection bus = controller();
        const uint id = sim(QStringLiteral("SendChat"),
                            {QStringLiteral("bob"), QStringLiteral("alice"),
                             QStringLiteral("@@Quenlark@@ AutoAnswer GETLIST key")});
        QTRY_VERIFY(sent().contains(QStringLiteral("alice:SET MESSAGE %1 SEEN").arg(id)));
        QTRY_VERIFY(control(bus, QStringLiteral("Chats"))
                        .toStringList()
                        .first()
                        .contains(QStringLiteral(" read: ")));
        QVERIFY(sent().filter(QStringLiteral("alice:MESSAGE ")).isEmpty());
        sim(QStringLiteral("SendChat"),
            {QStringLiteral("bob"), QStringLiteral("alice"), QStringLiteral("hello  there")});
        const QString report = QStringLiteral("alice:MESSAGE carol =Quenlark= Send alice Status "
                                              "[RECEIVE MESSAGE From bob]\rhello  there");
        QTRY_VERIFY(sent().contains(report));
        QTRY_VERIFY(sent().contains(
            QStringLiteral("alice:MESSAGE bob =Quenlark= Please messageback to alice.away")));
    }

    // The ring report mail carries only its own subject: no body or attachment of an earlier
    // mail from the mail window's fields.
    void ringIsReportedByChatAndMail() {
        start(QStringLiteral("carol"));
        QProcess sink;
        const quint16 port =
            SmtpSink::start(sink, {alice_->test.tempPath() + QStringLiteral("/mail")});
        if (port == 0 && sink.waitForFinished(3000) && sink.exitCode() == 3)
            QSKIP("python3-aiosmtpd is not installed");
        QVERIFY(port != 0);
        MailSender& mail = alice_->session->mail();
        mail.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(port));
        mail.setFrom(QStringLiteral("alice@example.org"));
        mail.setTo(QStringLiteral("me@example.org"));
        mail.setBody(QStringLiteral("an earlier recording's text"));
        mail.setAttachment(writeTestFile(alice_->test.tempPath() + "/old.b64", "UklGRg==\r\n"));
        const uint call = sim(QStringLiteral("Ring"), {QStringLiteral("bob"), QString()});
        QVERIFY(call != 0);
        const QString subject =
            QStringLiteral("=Quenlark= Send alice Status [RECEIVE CALL From bob]");
        QTRY_VERIFY(sent().contains(QStringLiteral("alice:MESSAGE carol ") + subject));
        const QString envelope = alice_->test.tempPath() + QStringLiteral("/mail/mail001.json");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(envelope), 20000);
        const QJsonObject shown = SmtpSink::read(envelope.chopped(4) + QStringLiteral("eml"));
        QCOMPARE(shown[QStringLiteral("subject")].toString(), subject);
        QCOMPARE(shown[QStringLiteral("text")].toString(), QString());
        QVERIFY(shown[QStringLiteral("attachments")].toArray().isEmpty());
        sink.closeWriteChannel();
        sink.waitForFinished(5000);
    }

    // Two copies that report to each other and announce back: our own reports are never
    // reported again, so the exchange ends.
    void twoCopiesListingEachOtherGoQuiet() {
        PrivateBus busB;
        start(QStringLiteral("bob"),
              {QStringLiteral("--user"), QStringLiteral("bob@") + busB.address()});
        Program bob(busB.address(), QStringLiteral("bob"), QStringLiteral("alice"),
                    QStringLiteral("bob.away"));
        sim(QStringLiteral("SendChat"),
            {QStringLiteral("carol"), QStringLiteral("alice"), QStringLiteral("ping")});
        // alice reports to bob and answers carol; bob takes alice's report as handled.
        QTRY_COMPARE(bob.notify().messages().table().size(), 1);
        QTRY_VERIFY(bob.notify().messages().table().rowAt(0).handled);
        QTest::qWait(500); // room for anything that would still bounce
        QCOMPARE(sent().filter(QStringLiteral("alice:MESSAGE ")).size(), 2);
        QVERIFY(sent().filter(QStringLiteral("bob:MESSAGE ")).isEmpty());
    }
};

QUENLARK_TEST_MAIN(NotifyHostSimTest)
#include "tst_notify_hostsim.moc"
