// The bridge between a private bus and two baresip instances on loopback: bob calls alice,
// whose phone is the bridge's baresip; the test stands where Quenlark stands.
#include "hostsimharness.h"
#include "siprig.h"

#include <QTemporaryDir>
#include <QTest>

class TestSipHostCalls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void answeredAndEnded();
    void missedWhenTheCallerGivesUp();
    void dialled();
    void unservedCommandsGetErrors();

private:
    QString line(const QString& pattern) { return client_->waitFor(pattern, kWaitMs); }

    QTemporaryDir dir_;
    std::unique_ptr<PrivateBus> bus_;
    QProcess bridge_;
    std::unique_ptr<Caller> bob_;
    std::unique_ptr<TestClient> client_;
    QString bobHandle_;
    quint16 alicePort_ = 0;
};

void TestSipHostCalls::initTestCase() {
    QList<quint16> taken;
    const quint16 alicePort = alicePort_ = freeSipPort(taken);
    const quint16 bobPort = freeSipPort(taken);
    const quint16 bobCtrl = freeSipPort(taken);
    QVERIFY(alicePort && bobPort && bobCtrl);
    bobHandle_ = QStringLiteral("bob@127.0.0.1:%1").arg(bobPort);
    bus_ = std::make_unique<PrivateBus>();
    QVERIFY(!bus_->address().isEmpty());

    const bool ready =
        startBridge(bridge_, bus_->address(), alicePort, dir_.filePath(QStringLiteral("alice")));
    QVERIFY2(ready, "the bridge did not start");

    QDir(dir_.path()).mkdir(QStringLiteral("bob"));
    bob_ = std::make_unique<Caller>(dir_.filePath(QStringLiteral("bob")), bobPort, bobCtrl);
    QVERIFY(bob_->isConnected());

    client_ = std::make_unique<TestClient>(bus_->address(), QStringLiteral("client"));
    client_->discover();
    QTRY_VERIFY_WITH_TIMEOUT(!client_->host.isEmpty(), kWaitMs);
    QVERIFY(!line(QStringLiteral("USERSTATUS ONLINE")).isEmpty());
    QVERIFY(client_->command(QStringLiteral("GET CURRENTUSERHANDLE")));
    QVERIFY(!line(QStringLiteral("CURRENTUSERHANDLE alice")).isEmpty());
    QVERIFY(client_->command(QStringLiteral("PING")));
    QVERIFY(!line(QStringLiteral("PONG")).isEmpty());
}

void TestSipHostCalls::cleanupTestCase() {
    client_.reset();
    bob_.reset();
    bridge_.terminate(); // by its pid; it stops its own baresip
    if (!bridge_.waitForFinished(10000))
        bridge_.kill();
    bridge_.waitForFinished(5000);
}

void TestSipHostCalls::answeredAndEnded() {
    bob_->send(QStringLiteral("dial"), QStringLiteral("sip:alice@127.0.0.1:%1").arg(alicePort_));
    const QString ringing = line(QStringLiteral("CALL \\d+ STATUS RINGING"));
    QVERIFY(!ringing.isEmpty());
    const QString id = ringing.section(' ', 1, 1);
    client_->command(QStringLiteral("GET CALL %1 PARTNER_HANDLE").arg(id));
    QVERIFY(!line(QStringLiteral("CALL %1 PARTNER_HANDLE %2").arg(id, bobHandle_)).isEmpty());

    client_->command(QStringLiteral("SET CALL %1 STATUS INPROGRESS").arg(id));
    QVERIFY(!line(QStringLiteral("CALL %1 STATUS INPROGRESS").arg(id)).isEmpty());
    QVERIFY(bob_->waitForEvent(QStringLiteral("CALL_ESTABLISHED")));

    client_->command(QStringLiteral("SET CALL %1 STATUS FINISHED").arg(id));
    QVERIFY(!line(QStringLiteral("CALL %1 STATUS FINISHED").arg(id)).isEmpty());
    QVERIFY(bob_->waitForEvent(QStringLiteral("CALL_CLOSED")));
}

void TestSipHostCalls::missedWhenTheCallerGivesUp() {
    bob_->send(QStringLiteral("dial"), QStringLiteral("sip:alice@127.0.0.1:%1").arg(alicePort_));
    const QString ringing = line(QStringLiteral("CALL \\d+ STATUS RINGING"));
    QVERIFY(!ringing.isEmpty());
    QVERIFY(bob_->waitForEvent(QStringLiteral("CALL_RINGING")));
    bob_->send(QStringLiteral("hangup"));
    QVERIFY(
        !line(QStringLiteral("CALL %1 STATUS MISSED").arg(ringing.section(' ', 1, 1))).isEmpty());
}

void TestSipHostCalls::dialled() {
    client_->command(QStringLiteral("CALL %1").arg(bobHandle_));
    const QString routing = line(QStringLiteral("CALL \\d+ STATUS ROUTING"));
    QVERIFY(!routing.isEmpty());
    const QString id = routing.section(' ', 1, 1);
    QVERIFY(bob_->waitForEvent(QStringLiteral("CALL_INCOMING")));
    QVERIFY(!line(QStringLiteral("CALL %1 STATUS RINGING").arg(id)).isEmpty());
    bob_->send(QStringLiteral("accept"));
    QVERIFY(!line(QStringLiteral("CALL %1 STATUS INPROGRESS").arg(id)).isEmpty());
    bob_->send(QStringLiteral("hangup"));
    QVERIFY(!line(QStringLiteral("CALL %1 STATUS FINISHED").arg(id)).isEmpty());
}

void TestSipHostCalls::unservedCommandsGetErrors() {
    for (const QString& command :
         {QStringLiteral("MESSAGE bob hello"), QStringLiteral("GET CALL 999 STATUS"),
          QStringLiteral("CALL bad handle"), QStringLiteral("FLY AWAY")}) {
        QVERIFY(client_->command(command));
        QVERIFY2(!line(QStringLiteral("ERROR \\d+ .*")).isEmpty(), qPrintable(command));
    }
}

QTEST_GUILESS_MAIN(TestSipHostCalls)
#include "tst_siphost_calls.moc"
