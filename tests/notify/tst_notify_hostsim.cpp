// The notification features of the whole program core against quenlark-hostsim on private
// buses: a chat reported and announced back, a ringing call reported by chat and by mail to a
// real SMTP server (aiosmtpd), a control message marked read, and two copies that list each
// other as recipients.
#include "app/mainformcore.h"
#include "hostsimharness.h"
#include "mainlink.h"
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/calltracker.h"
#include "notify/friendslist.h"
#include "notify/mailsender.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "notify/notifyswitches.h"
#include "platform/hosttransportdbus.h"
#include "smtpsink.h"
#include "testmain.h"
#include "testservices.h"

#include <QDBusMessage>

namespace {

const QString kScriptPath = QStringLiteral("/org/quenlark/HostSim/Script");
const QString kScriptInterface = QStringLiteral("org.quenlark.HostSimScript1");

// The main window's switches as the trackers read them.
struct Switches : NotifySwitches {
    explicit Switches(const MainFormCore& core) : main(core) {}
    bool sendIMSwitch() const override { return main.switchOn(MainFormCore::SendIM); }
    bool sendMailSwitch() const override { return main.switchOn(MainFormCore::SendMail); }
    bool callbackAnounceSwitch() const override {
        return main.switchOn(MainFormCore::CallbackAnounce);
    }
    QString currentUserHandle() const override { return main.currentUserHandle(); }
    const MainFormCore& main;
};

// One copy of the program's core on its own connection to a bus: the link, the main window's
// logic, the mail sender and the notification cores, wired as the program wires them.
struct Program {
    Program(const QString& address, const QString& connectionName)
        : name(connectionName), transport(QDBusConnection::connectToBus(address, connectionName)),
          core(test.services, transport), mail(test.services), switches(core),
          notifications(test.services, switches,
                        [this](const QString& line) { core.api().SendCommandToSkype(line); }) {
        transport.registerClient();
        notifications.plugInto(core.api().router());
        notifications.calls().setMailer(
            [this](const QString& subject) { mail.QueueMail(subject, {}, {}); });
        // Stored on, as every attach loads the main switches from the settings.
        for (const char* key : {"SendIMFlag", "SendMailFlag", "CallbackAnounceFlag"})
            test.settings.write(QStringLiteral("Main"), QString::fromLatin1(key),
                                QStringLiteral("1"));
    }
    ~Program() {
        notifications.unplugFrom(core.api().router());
        QDBusConnection::disconnectFromBus(name);
    }
    Notifications& notify() { return notifications; }
    void attach() {
        core.api().ConnectToSkype();
        QTRY_VERIFY(!core.currentUserHandle().isEmpty());
        core.timer1().stop();
    }

    QString name;
    TestServices test;
    DBusHostTransport transport;
    MainLink core;
    MailSender mail;
    Switches switches;
    Notifications notifications;
};

// The lines the programs sent to the simulator, as its LineExchanged signal reports them.
class SentLines : public QObject {
    Q_OBJECT
public:
    explicit SentLines(QDBusConnection& connection) {
        connection.connect(QString(), kScriptPath, kScriptInterface,
                           QStringLiteral("LineExchanged"), this,
                           SLOT(onLine(QString, QString, QString, QString)));
        QDBusMessage on =
            QDBusMessage::createMethodCall(QStringLiteral("org.quenlark.HostSim"), kScriptPath,
                                           kScriptInterface, QStringLiteral("SetLineSignals"));
        on << true;
        connection.call(on, QDBus::Block, 3000);
    }
    QStringList lines;

public slots:
    void onLine(const QString& user, const QString&, const QString& direction,
                const QString& line) {
        if (direction == QLatin1String("<-"))
            lines << user + u':' + line;
    }
};

} // namespace

class NotifyHostSimTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<Program> alice_;

    QDBusConnection controller() { return QDBusConnection(QStringLiteral("controller")); }
    // alice on a bus of her own (and more users given with their own --user options).
    void start(const QStringList& moreUsers = {}) {
        bus_ = std::make_unique<PrivateBus>();
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + bus_->address()} +
            moreUsers);
        QVERIFY(sim_->isReady());
        QDBusConnection::connectToBus(bus_->address(), QStringLiteral("controller"));
        alice_ = std::make_unique<Program>(bus_->address(), QStringLiteral("alice"));
        alice_->attach();
        alice_->notify().announceBack().setCallbackHandle(QStringLiteral("alice.away"));
    }
    uint sim(const QString& method, const QVariantList& arguments) {
        QDBusConnection bus = controller();
        return control(bus, method, arguments).toUInt();
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
        start();
        alice_->notify().recipients().add(QStringLiteral("carol"));
        QDBusConnection bus = controller();
        SentLines sent(bus);
        const uint id = sim(QStringLiteral("SendChat"),
                            {QStringLiteral("bob"), QStringLiteral("alice"),
                             QStringLiteral("@@Quenlark@@ AutoAnswer GETLIST key")});
        QTRY_VERIFY(sent.lines.contains(QStringLiteral("alice:SET MESSAGE %1 SEEN").arg(id)));
        QTRY_VERIFY(control(bus, QStringLiteral("Chats"))
                        .toStringList()
                        .first()
                        .contains(QStringLiteral(" read: ")));
        QVERIFY(sent.lines.filter(QStringLiteral("alice:MESSAGE ")).isEmpty());
        sim(QStringLiteral("SendChat"),
            {QStringLiteral("bob"), QStringLiteral("alice"), QStringLiteral("hello  there")});
        const QString report = QStringLiteral("alice:MESSAGE carol =Quenlark= Send alice Status "
                                              "[RECEIVE MESSAGE From bob]\rhello  there");
        QTRY_VERIFY(sent.lines.contains(report));
        QTRY_VERIFY(sent.lines.contains(
            QStringLiteral("alice:MESSAGE bob =Quenlark= Please messageback to alice.away")));
    }

    // The ring report mail carries only its own subject: no body or attachment of an earlier
    // mail from the mail window's fields.
    void ringIsReportedByChatAndMail() {
        start();
        alice_->notify().recipients().add(QStringLiteral("carol"));
        QProcess sink;
        const quint16 port =
            SmtpSink::start(sink, {alice_->test.tempPath() + QStringLiteral("/mail")});
        if (port == 0 && sink.waitForFinished(3000) && sink.exitCode() == 3)
            QSKIP("python3-aiosmtpd is not installed");
        QVERIFY(port != 0);
        MailSender& mail = alice_->mail;
        mail.setSmtpServer(QStringLiteral("127.0.0.1:%1").arg(port));
        mail.setFrom(QStringLiteral("alice@example.org"));
        mail.setTo(QStringLiteral("me@example.org"));
        mail.setBody(QStringLiteral("an earlier recording's text"));
        mail.setAttachment(writeTestFile(alice_->test.tempPath() + "/old.b64", "UklGRg==\r\n"));
        QDBusConnection bus = controller();
        SentLines sent(bus);
        const uint call = sim(QStringLiteral("Ring"), {QStringLiteral("bob"), QString()});
        QVERIFY(call != 0);
        const QString subject =
            QStringLiteral("=Quenlark= Send alice Status [RECEIVE CALL From bob]");
        QTRY_VERIFY(sent.lines.contains(QStringLiteral("alice:MESSAGE carol ") + subject));
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
        start({QStringLiteral("--user"), QStringLiteral("bob@") + busB.address()});
        Program bob(busB.address(), QStringLiteral("bob"));
        bob.attach();
        alice_->notify().recipients().add(QStringLiteral("bob"));
        bob.notify().recipients().add(QStringLiteral("alice"));
        bob.notify().announceBack().setCallbackHandle(QStringLiteral("bob.away"));
        QDBusConnection bus = controller();
        SentLines sent(bus);
        sim(QStringLiteral("SendChat"),
            {QStringLiteral("carol"), QStringLiteral("alice"), QStringLiteral("ping")});
        // alice reports to bob and answers carol; bob takes alice's report as handled.
        QTRY_COMPARE(bob.notify().messages().table().size(), 1);
        QTRY_VERIFY(bob.notify().messages().table().rowAt(0).handled);
        QTest::qWait(500); // room for anything that would still bounce
        QCOMPARE(sent.lines.filter(QStringLiteral("alice:MESSAGE ")).size(), 2);
        QVERIFY(sent.lines.filter(QStringLiteral("bob:MESSAGE ")).isEmpty());
    }
};

QUENLARK_TEST_MAIN(NotifyHostSimTest)
#include "tst_notify_hostsim.moc"
