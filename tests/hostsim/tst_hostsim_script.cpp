// The simulator's script hooks: old message kind, repeated notices, held, delayed and dropped
// replies, ids past 2^31, friends at run time, chats to oneself and the line signal.
#include "hostsimharness.h"
#include "testmain.h"

#include <QDBusMessage>

class HostSimScriptTest : public QObject {
    Q_OBJECT

public slots:
    void onLine(const QString& user, const QString&, const QString& way, const QString& line) {
        signalled << user + u' ' + way + u' ' + line;
    }

private:
    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<HostSimProcess> sim_;
    std::unique_ptr<TestClient> client_;
    QStringList signalled;

    void start(const QStringList& arguments = {}) {
        bus_ = std::make_unique<PrivateBus>();
        sim_ = std::make_unique<HostSimProcess>(
            QStringList{QStringLiteral("--user"), QStringLiteral("alice@") + bus_->address()} +
            arguments);
        QVERIFY(sim_->isReady());
        client_ = std::make_unique<TestClient>(bus_->address(), QStringLiteral("client"));
        client_->discover();
        QTRY_COMPARE(client_->attachStatuses, QList<uint>{0});
    }
    QVariant script(const QString& method, const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.quenlark.HostSim"), QStringLiteral("/org/quenlark/HostSim/Script"),
            QStringLiteral("org.quenlark.HostSimScript1"), method);
        call.setArguments(arguments);
        return client_->connection().call(call, QDBus::Block, 3000).arguments().value(0);
    }
    uint sim(const QString& method, const QVariantList& arguments) {
        return control(client_->connection(), method, arguments).toUInt();
    }
    // Whatever the host sent before the PONG to this PING has arrived once the PONG is here.
    void sync() {
        client_->command(QStringLiteral("PING"));
        QVERIFY(!client_->waitFor(QStringLiteral("PONG")).isEmpty());
    }
    void expect(const QString& line) { QCOMPARE(client_->waitFor(line), line); }

private slots:
    void cleanup() {
        client_.reset();
        sim_.reset();
        bus_.reset();
    }

    void oldKindRepeatedNoticesAndIdsPast2To31() {
        start({QStringLiteral("--first-id"), QStringLiteral("2147483647")});
        script(QStringLiteral("SetMessageKind"),
               {QStringLiteral("alice"), QStringLiteral("MESSAGE")});
        const uint id = sim(QStringLiteral("SendChat"),
                            {QStringLiteral("bob"), QStringLiteral("alice"), QStringLiteral("hi")});
        QCOMPARE(id, 2147483647u);
        expect(QStringLiteral("MESSAGE 2147483647 STATUS RECEIVED"));
        QCOMPARE(script(QStringLiteral("Renotify"), {id}).toUInt(), 1u);
        expect(QStringLiteral("MESSAGE 2147483647 STATUS RECEIVED"));
        QCOMPARE(sim(QStringLiteral("Ring"), {QStringLiteral("carol"), QString()}), 2147483648u);
        expect(QStringLiteral("CALL 2147483648 STATUS RINGING"));
        script(QStringLiteral("Renotify"), {2147483648u});
        expect(QStringLiteral("CALL 2147483648 STATUS RINGING"));
    }

    void repliesHeldDelayedAndDropped() {
        start();
        script(QStringLiteral("SetReplyRule"),
               {QStringLiteral("GET CURRENTUSERHANDLE"), QStringLiteral("hold"), 0});
        script(QStringLiteral("SetReplyRule"),
               {QStringLiteral("GET AUDIO_IN"), QStringLiteral("drop"), 0});
        script(QStringLiteral("SetReplyRule"),
               {QStringLiteral("GET AUDIO_OUT"), QStringLiteral("delay"), 200});
        for (const char* command : {"GET CURRENTUSERHANDLE", "GET AUDIO_IN", "GET AUDIO_OUT"})
            client_->command(QString::fromLatin1(command));
        sync();
        QVERIFY(!client_->lines.contains(QStringLiteral("CURRENTUSERHANDLE alice")));
        expect(QStringLiteral("AUDIO_OUT spk"));
        QCOMPARE(script(QStringLiteral("ReleaseHeld")).toUInt(), 1u);
        expect(QStringLiteral("CURRENTUSERHANDLE alice"));
        sync();
        QVERIFY(!client_->lines.contains(QStringLiteral("AUDIO_IN mic")));
    }

    // Friends change at run time; a chat to oneself is only sent; every line is signalled.
    void friendsSelfChatAndLineSignals() {
        start();
        QVERIFY(client_->connection().connect(
            QString(), QStringLiteral("/org/quenlark/HostSim/Script"),
            QStringLiteral("org.quenlark.HostSimScript1"), QStringLiteral("LineExchanged"), this,
            SLOT(onLine(QString, QString, QString, QString))));
        script(QStringLiteral("SetLineSignals"), {true});
        script(
            QStringLiteral("SetFriends"),
            {QStringLiteral("alice"), QStringList{QStringLiteral("erin"), QStringLiteral("bob")}});
        client_->command(QStringLiteral("SEARCH FRIENDS"));
        expect(QStringLiteral("USERS erin, bob"));
        client_->command(QStringLiteral("MESSAGE alice note to self"));
        sync();
        QVERIFY(client_->lines.contains(QStringLiteral("CHATMESSAGE 101 STATUS SENT")));
        QVERIFY(!client_->lines.contains(QStringLiteral("CHATMESSAGE 101 STATUS RECEIVED")));
        QTRY_VERIFY(signalled.contains(QStringLiteral("alice -> PONG")));
        QVERIFY(signalled.contains(QStringLiteral("alice <- SEARCH FRIENDS")));
    }
};

QUENLARK_TEST_MAIN(HostSimScriptTest)
#include "tst_hostsim_script.moc"
