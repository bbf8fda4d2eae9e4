// The simulator's script hooks: old message kind, repeated notices, held, delayed and dropped
// replies, ids near 2^31, friends at run time, chats to oneself and the line signal.
#include "hostsimharness.h"
#include "testmain.h"

#include <QDBusMessage>

namespace {
QVariant script(QDBusConnection& connection, const QString& method,
                const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.quenlark.HostSim"), QStringLiteral("/org/quenlark/HostSim/Script"),
        QStringLiteral("org.quenlark.HostSimScript1"), method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection.call(call, QDBus::Block, 3000);
    if (reply.type() == QDBusMessage::ErrorMessage)
        qWarning("%s: %s", qPrintable(method), qPrintable(reply.errorMessage()));
    return reply.arguments().value(0);
}
} // namespace

class HostSimScriptTest : public QObject {
    Q_OBJECT

public slots:
    void onLine(const QString& user, const QString&, const QString& direction,
                const QString& line) {
        signalled << user + u' ' + direction + u' ' + line;
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
    QVariant call(const QString& method, const QVariantList& arguments = {}) {
        return script(client_->connection(), method, arguments);
    }
    // Everything the host sent before the PONG of this PING has arrived by then.
    void sync() {
        QVERIFY(client_->command(QStringLiteral("PING")));
        QVERIFY(!client_->waitFor(QStringLiteral("PONG")).isEmpty());
    }

private slots:
    void cleanup() {
        client_.reset();
        sim_.reset();
        bus_.reset();
    }

    void oldKindAndRepeatedNotices() {
        start();
        call(QStringLiteral("SetMessageKind"),
             {QStringLiteral("alice"), QStringLiteral("MESSAGE")});
        const uint id =
            control(client_->connection(), QStringLiteral("SendChat"),
                    {QStringLiteral("bob"), QStringLiteral("alice"), QStringLiteral("hi")})
                .toUInt();
        const QString received = QStringLiteral("MESSAGE %1 STATUS RECEIVED").arg(id);
        QCOMPARE(client_->waitFor(received), received);
        QCOMPARE(call(QStringLiteral("Renotify"), {id}).toUInt(), 1u);
        QCOMPARE(client_->waitFor(received), received);
        const uint callId = control(client_->connection(), QStringLiteral("Ring"),
                                    {QStringLiteral("carol"), QString()})
                                .toUInt();
        const QString ringing = QStringLiteral("CALL %1 STATUS RINGING").arg(callId);
        QCOMPARE(client_->waitFor(ringing), ringing);
        call(QStringLiteral("Renotify"), {callId});
        QCOMPARE(client_->waitFor(ringing), ringing);
    }

    void repliesHeldDelayedAndDropped() {
        start();
        call(QStringLiteral("SetReplyRule"),
             {QStringLiteral("GET CURRENTUSERHANDLE"), QStringLiteral("hold"), 0});
        call(QStringLiteral("SetReplyRule"),
             {QStringLiteral("GET AUDIO_IN"), QStringLiteral("drop"), 0});
        call(QStringLiteral("SetReplyRule"),
             {QStringLiteral("GET AUDIO_OUT"), QStringLiteral("delay"), 200});
        for (const char* command : {"GET CURRENTUSERHANDLE", "GET AUDIO_IN", "GET AUDIO_OUT"})
            client_->command(QString::fromLatin1(command));
        sync();
        QVERIFY(!client_->lines.contains(QStringLiteral("CURRENTUSERHANDLE alice")));
        QVERIFY(!client_->waitFor(QStringLiteral("AUDIO_OUT spk")).isEmpty());
        QCOMPARE(call(QStringLiteral("ReleaseHeld")).toUInt(), 1u);
        QVERIFY(!client_->waitFor(QStringLiteral("CURRENTUSERHANDLE alice")).isEmpty());
        sync();
        QVERIFY(!client_->lines.contains(QStringLiteral("AUDIO_IN mic")));
    }

    void idsPassTheSigned32BitLimit() {
        start({QStringLiteral("--first-id"), QStringLiteral("2147483647")});
        QDBusConnection& bus = client_->connection();
        QCOMPARE(control(bus, QStringLiteral("Ring"), {QStringLiteral("bob"), QString()}).toUInt(),
                 2147483647u);
        QCOMPARE(
            control(bus, QStringLiteral("Ring"), {QStringLiteral("carol"), QString()}).toUInt(),
            2147483648u);
    }

    void friendsChangeWhileRunning() {
        start();
        call(QStringLiteral("SetFriends"),
             {QStringLiteral("alice"), QStringList{QStringLiteral("erin"), QStringLiteral("bob")}});
        client_->command(QStringLiteral("SEARCH FRIENDS"));
        QVERIFY(!client_->waitFor(QStringLiteral("USERS erin, bob")).isEmpty());
    }

    // A chat to oneself shows as sent, never as received.
    void chatToOneselfIsOnlySent() {
        start();
        client_->command(QStringLiteral("MESSAGE alice note to self"));
        sync();
        QVERIFY(client_->lines.contains(QStringLiteral("CHATMESSAGE 101 STATUS SENT")));
        QVERIFY(!client_->lines.contains(QStringLiteral("CHATMESSAGE 101 STATUS RECEIVED")));
    }

    void everyLineIsSignalled() {
        start();
        QVERIFY(client_->connection().connect(
            QString(), QStringLiteral("/org/quenlark/HostSim/Script"),
            QStringLiteral("org.quenlark.HostSimScript1"), QStringLiteral("LineExchanged"), this,
            SLOT(onLine(QString, QString, QString, QString))));
        call(QStringLiteral("SetLineSignals"), {true});
        client_->command(QStringLiteral("PING"));
        QTRY_VERIFY(signalled.contains(QStringLiteral("alice -> PONG")));
        QVERIFY(signalled.contains(QStringLiteral("alice <- PING")));
    }
};

QUENLARK_TEST_MAIN(HostSimScriptTest)
#include "tst_hostsim_script.moc"
