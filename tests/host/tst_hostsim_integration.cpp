// The program's real link (D-Bus transport, link rules, router and the main window's logic)
// against quenlark-hostsim running as a process of its own on a private bus: attach and
// supervision, hosts that fall silent, vanish, hang or never answer PING, strangers, payloads.
#include "app/mainformcore.h"
#include "hostsimharness.h"
#include "mainlink.h"
#include "platform/hosttransportdbus.h"
#include "testmain.h"
#include "testservices.h"

#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QFileInfo>

#include <csignal>

namespace {

// The program's side, on a connection of its own to the private bus.
struct Program {
    explicit Program(const QString& address)
        : transport(QDBusConnection::connectToBus(address, QStringLiteral("program"))),
          core(test.services, transport) {
        test.console.setEnabled(true);
        transport.registerClient();
    }
    ~Program() { QDBusConnection::disconnectFromBus(QStringLiteral("program")); }

    bool logged(const QString& line) const { return test.console.consoleLines().contains(line); }
    qsizetype attaches() const {
        return test.console.statusLines().count(QStringLiteral("Connected"));
    }

    TestServices test;
    DBusHostTransport transport;
    MainLink core;
};

} // namespace

class HostSimIntegrationTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<Program> program_;

    void startSimulator() {
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + bus_->address()});
        QVERIFY(sim_->isReady());
    }
    QString simHost() const { return sim_->hostName(QStringLiteral("alice")); }
    void signalSimulator(int signal) { ::kill(pid_t(sim_->process().processId()), signal); }

    // Discovery until the simulator's host is attached and the link is quiet. The first
    // attach's own tick finds no PONG yet and discovers again, so attaches come in a short
    // burst. The ten-second timer is stopped: the test drives every supervision tick itself.
    void attach() {
        program_->core.api().ConnectToSkype();
        QTRY_VERIFY(program_->attaches() > 0);
        // Bounded: without PONGs every attach discovers again and the burst never ends.
        qsizetype lines = -1;
        QDeadlineTimer deadline(10000);
        while (lines != program_->test.console.consoleLines().size() && !deadline.hasExpired()) {
            lines = program_->test.console.consoleLines().size();
            QTest::qWait(300);
        }
        QCOMPARE(program_->core.api().hostHandle(), simHost());
        QVERIFY(program_->core.pongFlag());
        program_->core.timer1().stop();
    }
    QVariant controlCall(const QString& method, const QVariantList& arguments = {}) {
        QDBusConnection controller(QStringLiteral("controller"));
        return control(controller, method, arguments);
    }
    void script(const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.quenlark.HostSim"), QStringLiteral("/org/quenlark/HostSim/Script"),
            QStringLiteral("org.quenlark.HostSimScript1"), method);
        call.setArguments(arguments);
        QDBusConnection(QStringLiteral("controller")).call(call, QDBus::Block, 3000);
    }
    // The lines the host received that contain TEXT, in the order received.
    QStringList received(const QString& text) {
        QStringList lines;
        for (const QString& entry : controlCall(QStringLiteral("Transcript")).toStringList())
            if (entry.contains(QStringLiteral(" <- ")) && entry.contains(text))
                lines << entry.mid(entry.indexOf(u'[') + 1).chopped(1);
        return lines;
    }

private slots:
    void init() {
        bus_ = std::make_unique<PrivateBus>();
        QVERIFY(!bus_->address().isEmpty());
        startSimulator();
        program_ = std::make_unique<Program>(bus_->address());
        QDBusConnection::connectToBus(bus_->address(), QStringLiteral("controller"));
    }
    void cleanup() {
        if (sim_)
            signalSimulator(SIGCONT);
        QDBusConnection::disconnectFromBus(QStringLiteral("controller"));
        program_.reset();
        sim_.reset();
        bus_.reset();
    }

    void attachSequenceAndSupervision() {
        attach();
        QTRY_COMPARE(program_->core.caption(), QStringLiteral("Quenlark(alice)"));
        QCOMPARE(program_->core.userStatus(), QStringLiteral("ONLINE"));
        QVERIFY(program_->logged(QStringLiteral("<-Skype[5]: [PONG]")));
        // The host saw the discovery, attached, then got the user query and the first PING.
        const QStringList seen = controlCall(QStringLiteral("Transcript")).toStringList();
        const auto position = [&seen](const QString& text) {
            for (qsizetype i = 0; i < seen.size(); ++i)
                if (seen[i].endsWith(u'[' + text + u']'))
                    return i;
            return qsizetype(-1);
        };
        QVERIFY(position("(Discover)") >= 0);
        QVERIFY(position("(Discover)") < position("(Attach 0)"));
        QVERIFY(position("(Attach 0)") < position("GET CURRENTUSERHANDLE"));
        QVERIFY(position("GET CURRENTUSERHANDLE") < position("PING"));

        // A tick with the PONG in hand pings again; the answer sets the flag once more.
        program_->core.Timer1_Timer();
        QCOMPARE(program_->core.skypeStatus(), QStringLiteral("Connecting"));
        QVERIFY(!program_->core.pongFlag());
        QTRY_VERIFY(program_->core.pongFlag());

        // Commands reach the host in the order sent.
        QStringList sent;
        for (int i = 0; i < 200; ++i) {
            sent << QStringLiteral("GET USER u%1 FULLNAME").arg(i);
            program_->core.api().SendCommandToSkype(sent.last());
        }
        QTRY_COMPARE_WITH_TIMEOUT(received(QStringLiteral("GET USER u")), sent, 10000);
    }

    // A host that attaches at every discovery but never answers PING, on the real ten-second
    // timer: one discovery per supervision period, not a loop at bus speed; once PONGs come
    // back, one tick heals it.
    void hostWithoutPongGetsOneDiscoveryPerPeriod() {
        script(QStringLiteral("SetReplyRule"), {QStringLiteral("PING"), QStringLiteral("drop"), 0});
        program_->test.log.SetLogLevel(1);
        program_->core.api().ConnectToSkype();
        QTest::qWait(30000);
        const qsizetype discovers = received(QStringLiteral("(Discover)")).size();
        QVERIFY2(discovers >= 3 && discovers <= 4, qPrintable(QString::number(discovers)));
        QVERIFY(program_->attaches() >= 3 && program_->attaches() <= 4);
        QVERIFY(received(QStringLiteral("[PING]")).size() <= 4);
        QVERIFY(program_->test.console.consoleLines().size() < 60);
        QVERIFY(QFileInfo(program_->test.log.filePath()).size() < 32 * 1024);
        script(QStringLiteral("ClearReplyRules"));
        QTRY_VERIFY_WITH_TIMEOUT(program_->core.pongFlag(), 12000);
    }

    // Only the attached host may hand the program a line.
    void notifyFromAnotherPeerIsRefused() {
        attach();
        program_->core.setPongFlag(false);
        QDBusMessage notify = QDBusMessage::createMethodCall(
            program_->transport.ownHandle(), QString::fromLatin1(HostTransport::kClientPath),
            QString::fromLatin1(HostTransport::kInterface), QStringLiteral("Notify"));
        notify << QByteArray("PONG\0", 5);
        QDBusPendingReply<uint> reply =
            QDBusConnection(QStringLiteral("controller")).asyncCall(notify, 3000);
        QTRY_VERIFY(reply.isFinished());
        QVERIFY(reply.isValid());
        QCOMPARE(reply.value(), 0u);
        QVERIFY(!program_->core.pongFlag());
    }

    void silentHostIsDiscoveredAgain() {
        attach();
        const qsizetype attaches = program_->attaches();
        signalSimulator(SIGSTOP);
        // A send to the hung host times out, is logged as failed, and it stays the host.
        program_->transport.setCommandTimeoutMs(300);
        program_->core.Timer1_Timer(); // pings the stopped host
        QTRY_VERIFY(program_->logged(QStringLiteral("Error: Send Command!! [") + simHost() + u']'));
        QCOMPARE(program_->core.api().hostHandle(), simHost());
        QVERIFY(!program_->core.pongFlag());
        program_->core.Timer1_Timer(); // no PONG: clears the label and discovers again
        QCOMPARE(program_->core.skypeStatus(), QString());
        QVERIFY(program_->logged(QStringLiteral("ConnectToSkype status is 1[") +
                                 program_->transport.ownHandle() + u']'));
        signalSimulator(SIGCONT);
        // The host wakes up, answers the queued PING and the discovery: attached again.
        QTRY_VERIFY(program_->attaches() > attaches);
        QCOMPARE(program_->core.api().hostHandle(), simHost());
        QTRY_VERIFY(program_->core.pongFlag());
    }

    void restartedHostIsAttachedAgain() {
        attach();
        const QString oldHost = simHost();
        const qsizetype attaches = program_->attaches();
        sim_.reset(); // killed
        // Sends go to the vanished host until another attaches; each is logged as failed.
        program_->core.api().SendCommandToSkype(QStringLiteral("SEARCH FRIENDS"));
        QTRY_VERIFY(program_->logged(QStringLiteral("Error: Send Command!! [") + oldHost + u']'));
        QCOMPARE(program_->core.api().hostHandle(), oldHost);

        startSimulator();
        QVERIFY(simHost() != oldHost);
        program_->core.Timer1_Timer(); // the PONG of the old host: ping, which fails
        program_->core.Timer1_Timer(); // no PONG: discover, and the new host answers
        QTRY_VERIFY(program_->attaches() > attaches);
        QCOMPARE(program_->core.api().hostHandle(), simHost());
        QTRY_VERIFY(program_->core.pongFlag());
        QTRY_COMPARE(program_->core.caption(), QStringLiteral("Quenlark(alice)"));
    }

    void attachStatusesOtherThanZeroChangeNothing() {
        // Pending authorization first: the link waits for the host's later status 0.
        controlCall(QStringLiteral("SetAttachMode"), {QStringLiteral("pending:500")});
        program_->core.api().ConnectToSkype();
        QTest::qWait(250);
        QCOMPARE(program_->attaches(), 0);
        QVERIFY(program_->core.api().hostHandle().isEmpty());
        attach();
        const qsizetype attaches = program_->attaches();

        // Not available (3): still the host, and its refusals are logged as failed sends.
        controlCall(QStringLiteral("SetHostAvailable"), {QStringLiteral("alice"), false});
        QTest::qWait(200);
        program_->core.api().SendCommandToSkype(QStringLiteral("SEARCH FRIENDS"));
        const QString failed = QStringLiteral("Error: Send Command!! [") + simHost() + u']';
        QTRY_VERIFY(program_->logged(failed));
        // Available again (0x8001): no attach sequence; commands are answered again.
        controlCall(QStringLiteral("SetHostAvailable"), {QStringLiteral("alice"), true});
        program_->core.api().SendCommandToSkype(QStringLiteral("SEARCH FRIENDS"));
        QTRY_VERIFY(program_->logged(QStringLiteral("<-Skype[23]: [USERS bob, carol, dave]")));
        QCOMPARE(program_->attaches(), attaches);
        QCOMPARE(program_->core.api().hostHandle(), simHost());
    }

    void unusualPayloads_data() {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("consoleLine");
        QTest::addColumn<bool>("pong");
        using B = QByteArray;
        QTest::newRow("empty") << B() << "<-Skype[0]: []" << false;
        QTest::newRow("zero byte only") << B(1, '\0') << "<-Skype[1]: []" << false;
        QTest::newRow("blanks") << B("   \0", 4) << "<-Skype[4]: [   ]" << false;
        QTest::newRow("blanks around PONG") << B("  PONG \0", 8) << "<-Skype[8]: [  PONG ]" << true;
        QTest::newRow("no terminator") << B("PONG") << "<-Skype[4]: [PONG]" << true;
        QTest::newRow("zero in the middle")
            << B("PONG\0PING\0", 10) << "<-Skype[10]: [PONG]" << true;
        QTest::newRow("invalid UTF-8") << B("PO\xff\xfeNG\0", 7) << "<-Skype[7]: []" << false;
        QTest::newRow("Japanese") << B("USERSTATUS 留守\0", 18) << "<-Skype[18]: [USERSTATUS 留守]"
                                  << false;
    }
    void unusualPayloads() {
        QFETCH(QByteArray, payload);
        QFETCH(QString, consoleLine);
        QFETCH(bool, pong);
        attach();
        program_->core.setPongFlag(false);
        const qint32 counted = program_->core.responseCount();
        QCOMPARE(controlCall(QStringLiteral("NotifyRaw"), {QStringLiteral("alice"), payload}),
                 QVariant(1u));
        // Every record is counted, also one that no window can read.
        QTRY_COMPARE(program_->core.responseCount(), counted + 1);
        QVERIFY2(program_->logged(consoleLine), qPrintable(consoleLine));
        QCOMPARE(program_->core.pongFlag(), pong);
    }

    void megabyteLineIsReadWhole() {
        attach();
        const QByteArray handle(1024 * 1024, 'x');
        const QByteArray payload = "CURRENTUSERHANDLE " + handle + '\0';
        controlCall(QStringLiteral("NotifyRaw"), {QStringLiteral("alice"), payload});
        QTRY_COMPARE(program_->core.currentUserHandle().size(), handle.size());
        QVERIFY(program_->core.currentUserHandle() == QString::fromLatin1(handle));
        const QString count = QString::number(payload.size());
        QVERIFY(program_->test.console.consoleLines().last().startsWith(
            QStringLiteral("<-Skype[") + count + QStringLiteral("]: [CURRENTUSERHANDLE xxx")));
    }
};

QUENLARK_TEST_MAIN(HostSimIntegrationTest)
#include "tst_hostsim_integration.moc"
