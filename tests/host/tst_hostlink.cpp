// The host link with the fake transport: attach, sending, routing order, the trace log. The
// payload rules are met over the real transport in tst_hostsim_integration.
#include "app/mainformcore.h"
#include "host/skypeapihandler.h"
#include "hosttransportfake.h"
#include "mainlink.h"
#include "testmain.h"
#include "testservices.h"

namespace {
const QString kHost = QStringLiteral(":1.42");

// Remembers the lines it was handed, in one log shared by all targets, and may trim them.
class RecordingTarget : public AnsweringLineTarget {
public:
    RecordingTarget(QString name, QStringList& log, bool trims = false)
        : m_name(std::move(name)), m_log(log), m_trims(trims) {}
    void SetSkypeResponse(QString& line) override {
        if (m_trims)
            line = line.trimmed();
        m_log << m_name + u':' + line;
    }
    bool hasGreetingFile() const override { return !greetingFile.isEmpty(); }
    QString greetingFile;

private:
    QString m_name;
    QStringList& m_log;
    bool m_trims;
};

class CountingMciHandler : public MciNotifyHandler {
public:
    void MCINOTIFYHandler() override { ++calls; }
    int calls = 0;
};
} // namespace

class TestHostLink : public QObject {
    Q_OBJECT

    struct Link {
        Link() : core(test.services, transport) { test.console.setEnabled(true); }
        SkypeAPIHandler& api() { return core.api(); }
        void attach() {
            transport.attach(kHost, 0);
            transport.clearSent();
            test.console.clear();
        }
        TestServices test;
        FakeHostTransport transport;
        MainLink core;
    };

private slots:
    void recordsFromOthersThanTheAttachedHostAreRefused() {
        Link link;
        QVERIFY(!link.transport.notifyLine(kHost, QStringLiteral("PONG"))); // not attached yet
        link.attach();
        QVERIFY(!link.transport.notifyLine(QStringLiteral(":1.99"), QStringLiteral("PONG")));
        QCOMPARE(link.core.responseCount(), 0);
        QVERIFY(!link.core.pongFlag());
        QVERIFY(link.test.console.consoleLines().isEmpty());
        QVERIFY(link.transport.notifyLine(kHost, QStringLiteral("PONG")));
        QVERIFY(link.core.pongFlag());
    }

    void linesAreSentAsUtf8WithOneZeroByte_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("empty") << QString() << QByteArray(1, '\0');
        QTest::newRow("ping") << "PING" << QByteArray("PING\0", 5);
        QTest::newRow("japanese") << QStringLiteral("MESSAGE bob 今日は")
                                  << QStringLiteral("MESSAGE bob 今日は").toUtf8().append('\0');
    }
    void linesAreSentAsUtf8WithOneZeroByte() {
        QFETCH(QString, line);
        QFETCH(QByteArray, payload);
        Link link;
        link.attach();
        link.api().SendCommandToSkype(line);
        QCOMPARE(link.transport.sent().size(), 1);
        QCOMPARE(link.transport.sent().first().host, kHost);
        QCOMPARE(link.transport.sent().first().payload, payload);
        QCOMPARE(link.test.console.consoleLines(), QStringList{"->Skype: [" + line + "]"});
    }

    void attachSequenceRunsOnlyForStatusZero_data() {
        QTest::addColumn<quint32>("status");
        QTest::addColumn<bool>("attached");
        QTest::newRow("attached") << 0u << true;
        QTest::newRow("pending") << 1u << false;
        QTest::newRow("refused") << 2u << false;
        QTest::newRow("not available") << 3u << false;
        QTest::newRow("available again") << 0x8001u << false;
    }
    void attachSequenceRunsOnlyForStatusZero() {
        QFETCH(quint32, status);
        QFETCH(bool, attached);
        Link link;
        link.transport.attach(kHost, status);
        QCOMPARE(link.api().hostHandle().isEmpty(), !attached);
        QCOMPARE(link.test.console.statusLines(),
                 attached ? QStringList{"Connected"} : QStringList{});
        QCOMPARE(link.core.timer1().isActive(), attached);
        if (!attached) {
            QVERIFY(link.transport.sent().isEmpty());
            return;
        }
        // The supervision tick inside the follow-up found no PONG, so it discovered again.
        QCOMPARE(link.transport.sentLines(), (QStringList{"GET CURRENTUSERHANDLE", "PING"}));
        QVERIFY(!link.core.pongFlag());
        QCOMPARE(link.transport.discoverCount(), 1);
        QCOMPARE(link.core.skypeStatus(), QString());
    }

    // A host that attaches at every discovery and never answers PING: the attach's own
    // re-check does not discover again within the period.
    void discoveryGoesOutOncePerSupervisionPeriod() {
        Link link;
        QCOMPARE(link.api().ConnectToSkype(), 1u);
        for (int attach = 0; attach < 3; ++attach)
            link.transport.attach(kHost, 0);
        QCOMPARE(link.transport.discoverCount(), 1);
        QCOMPARE(link.test.console.statusLines().size(), 3); // every attach still runs
        link.core.Timer1_Timer(); // a regular tick without PONG: the new period's discovery
        link.transport.attach(kHost, 0);
        QCOMPARE(link.transport.discoverCount(), 2);
    }

    void reattachReplacesTheHandle() {
        Link link;
        link.attach();
        link.transport.attach(QStringLiteral(":1.50"), 0);
        QCOMPARE(link.api().hostHandle(), QStringLiteral(":1.50"));
        QVERIFY(!link.transport.notifyLine(kHost, QStringLiteral("PONG")));
        QVERIFY(link.transport.notifyLine(QStringLiteral(":1.50"), QStringLiteral("PONG")));
    }

    void routerKeepsItsOrderAndPassesTrimmedLines() {
        Link link;
        link.attach();
        QStringList seen;
        RecordingTarget friends(QStringLiteral("friends"), seen),
            audio(QStringLiteral("audio"), seen), message(QStringLiteral("message"), seen, true),
            call(QStringLiteral("call"), seen), recording(QStringLiteral("recording"), seen),
            contact(QStringLiteral("contact"), seen);
        HostLineRouter& router = link.api().router();
        router.setTarget(HostLineRouter::Step::Contact, &contact);
        router.setTarget(HostLineRouter::Step::Recording, &recording);
        router.setTarget(HostLineRouter::Step::Call, &call);
        router.setTarget(HostLineRouter::Step::Message, &message);
        router.setTarget(HostLineRouter::Step::Audio, &audio);
        router.setTarget(HostLineRouter::Step::Friends, &friends);
        QVERIFY(link.transport.notifyLine(kHost, QStringLiteral("  PONG ")));
        QCOMPARE(seen, (QStringList{"friends:  PONG ", "audio:  PONG ", "message:PONG", "call:PONG",
                                    "recording:PONG", "contact:PONG"}));
        QVERIFY(link.core.pongFlag());
    }

    void answeringMachineAndRecorderNeverBothSeeALine_data() {
        QTest::addColumn<bool>("autoAnswer");
        QTest::addColumn<QString>("greeting");
        QTest::addColumn<QString>("target");
        QTest::newRow("switch off") << false << "hello.wav"
                                    << "recording";
        QTest::newRow("no greeting file") << true << ""
                                          << "recording";
        QTest::newRow("switch on with greeting") << true << "hello.wav"
                                                 << "answering";
    }
    void answeringMachineAndRecorderNeverBothSeeALine() {
        QFETCH(bool, autoAnswer);
        QFETCH(QString, greeting);
        QFETCH(QString, target);
        Link link;
        QStringList seen;
        RecordingTarget answering(QStringLiteral("answering"), seen);
        RecordingTarget recording(QStringLiteral("recording"), seen);
        answering.greetingFile = greeting;
        link.api().router().setAnsweringMachine(&answering);
        link.api().router().setTarget(HostLineRouter::Step::Recording, &recording);
        link.core.setSwitch(MainFormCore::AutoAnswer, autoAnswer);
        QString line = QStringLiteral("CALL 12 STATUS RINGING");
        link.api().SkypeResponseHandler(line);
        QCOMPARE(seen, QStringList{target + ":CALL 12 STATUS RINGING"});
    }

    void contactListIsSkippedWhileAGameHoldsTheLines() {
        Link link;
        QStringList seen;
        RecordingTarget contact(QStringLiteral("contact"), seen);
        link.api().router().setTarget(HostLineRouter::Step::Contact, &contact);
        QString line = QStringLiteral("USER bob FULLNAME Bob");
        link.core.SetUnimodeForm(QStringLiteral("DartsForm"));
        link.api().SkypeResponseHandler(line);
        QVERIFY(seen.isEmpty());
        link.core.SetUnimodeForm(QString());
        link.api().SkypeResponseHandler(line);
        QCOMPARE(seen, QStringList{"contact:USER bob FULLNAME Bob"});
    }

    void hostLineCannotForgeATraceLine() {
        Link link;
        link.test.log.SetLogLevel(1);
        QString line = QStringLiteral("CHATMESSAGE 5 BODY a\\b\r\n<<< forged\x07\u2028");
        link.api().SkypeResponseHandler(line);
        QFile file(link.test.log.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(">>> SkypeAPIHandler:SkypeResponseHandler[CHATMESSAGE 5 "
                                          "BODY a\\\\b\\r\\n<<< forged\\x07\\u2028]\r\n"));
    }

    void completionNoticesReachTheNamedWindowOnly_data() {
        QTest::addColumn<QString>("targetName");
        QTest::addColumn<int>("answeringCalls");
        QTest::addColumn<int>("recordingCalls");
        QTest::newRow("answering machine") << "AutoAnswerForm" << 1 << 0;
        QTest::newRow("recorder") << "RecordingForm" << 0 << 1;
        QTest::newRow("nobody") << "" << 0 << 0;
        QTest::newRow("other window") << "MCIForm" << 0 << 0;
    }
    void completionNoticesReachTheNamedWindowOnly() {
        QFETCH(QString, targetName);
        QFETCH(int, answeringCalls);
        QFETCH(int, recordingCalls);
        Link link;
        CountingMciHandler answering, recording, player;
        link.api().setMciNotifyHandler(QStringLiteral("AutoAnswerForm"), &answering);
        link.api().setMciNotifyHandler(QStringLiteral("RecordingForm"), &recording);
        link.api().setMciNotifyHandler(QStringLiteral("MCIForm"), &player);
        link.api().setMCINotifyTarget(targetName);
        link.api().onMciNotify();
        QCOMPARE(answering.calls, answeringCalls);
        QCOMPARE(recording.calls, recordingCalls);
        QCOMPARE(player.calls, 0);
    }
};

QUENLARK_TEST_MAIN(TestHostLink)
#include "tst_hostlink.moc"
