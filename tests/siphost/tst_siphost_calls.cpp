// The bridge between a private bus and two baresip instances on loopback: bob calls alice,
// whose phone is the bridge's baresip; the test stands where Quenlark stands.
#include "hostsimharness.h"
#include "siprig.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSipHostCalls : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<PrivateBus> bus_;
    QProcess bridge_;
    std::unique_ptr<Caller> bob_;
    std::unique_ptr<TestClient> client_;
    QString bobHandle_;
    quint16 alicePort_ = 0;

    QString line(const QString& pattern) { return client_->waitFor(pattern, kWaitMs); }
    // Waits for the line and gives the call id it names; empty when it did not come.
    QString callId(const QString& pattern) { return line(pattern).section(u' ', 1, 1); }
    void dialAlice() { bob_->send(u"dial"_s, u"sip:alice@127.0.0.1:%1"_s.arg(alicePort_)); }

private slots:
    void initTestCase() {
        QList<quint16> taken;
        alicePort_ = freeSipPort(taken);
        const quint16 bobPort = freeSipPort(taken), bobCtrl = freeSipPort(taken);
        QVERIFY(alicePort_ && bobPort && bobCtrl);
        bobHandle_ = u"bob@127.0.0.1:%1"_s.arg(bobPort);
        bus_ = std::make_unique<PrivateBus>();
        QVERIFY(!bus_->address().isEmpty());
        QVERIFY2(startBridge(bridge_, bus_->address(), alicePort_, dir_.filePath(u"alice"_s)),
                 "the bridge did not start");
        QDir(dir_.path()).mkdir(u"bob"_s);
        bob_ = std::make_unique<Caller>(dir_.filePath(u"bob"_s), bobPort, bobCtrl);
        QVERIFY(bob_->isConnected());

        client_ = std::make_unique<TestClient>(bus_->address(), u"client"_s);
        client_->discover();
        QTRY_VERIFY_WITH_TIMEOUT(!client_->host.isEmpty(), kWaitMs);
        QVERIFY(!line(u"USERSTATUS ONLINE"_s).isEmpty());
        QVERIFY(client_->command(u"GET CURRENTUSERHANDLE"_s));
        QVERIFY(!line(u"CURRENTUSERHANDLE alice"_s).isEmpty());
        QVERIFY(client_->command(u"PING"_s));
        QVERIFY(!line(u"PONG"_s).isEmpty());
    }

    void cleanupTestCase() {
        client_.reset();
        bob_.reset();
        bridge_.terminate(); // by its pid; it stops its own baresip
        if (!bridge_.waitForFinished(10000))
            bridge_.kill();
        bridge_.waitForFinished(5000);
    }

    void answeredAndEnded() {
        dialAlice();
        const QString id = callId(u"CALL \\d+ STATUS RINGING"_s);
        QVERIFY(!id.isEmpty());
        client_->command(u"GET CALL %1 PARTNER_HANDLE"_s.arg(id));
        QVERIFY(!line(u"CALL %1 PARTNER_HANDLE %2"_s.arg(id, bobHandle_)).isEmpty());
        client_->command(u"SET CALL %1 STATUS INPROGRESS"_s.arg(id));
        QVERIFY(!line(u"CALL %1 STATUS INPROGRESS"_s.arg(id)).isEmpty());
        QVERIFY(bob_->waitForEvent(u"CALL_ESTABLISHED"_s));
        client_->command(u"SET CALL %1 STATUS FINISHED"_s.arg(id));
        QVERIFY(!line(u"CALL %1 STATUS FINISHED"_s.arg(id)).isEmpty());
        QVERIFY(bob_->waitForEvent(u"CALL_CLOSED"_s));
    }

    void missedWhenTheCallerGivesUp() {
        dialAlice();
        const QString id = callId(u"CALL \\d+ STATUS RINGING"_s);
        QVERIFY(!id.isEmpty());
        QVERIFY(bob_->waitForEvent(u"CALL_RINGING"_s));
        bob_->send(u"hangup"_s);
        QVERIFY(!line(u"CALL %1 STATUS MISSED"_s.arg(id)).isEmpty());
    }

    void dialled() {
        client_->command(u"CALL %1"_s.arg(bobHandle_));
        const QString id = callId(u"CALL \\d+ STATUS ROUTING"_s);
        QVERIFY(!id.isEmpty());
        QVERIFY(bob_->waitForEvent(u"CALL_INCOMING"_s));
        QVERIFY(!line(u"CALL %1 STATUS RINGING"_s.arg(id)).isEmpty());
        bob_->send(u"accept"_s);
        QVERIFY(!line(u"CALL %1 STATUS INPROGRESS"_s.arg(id)).isEmpty());
        bob_->send(u"hangup"_s);
        QVERIFY(!line(u"CALL %1 STATUS FINISHED"_s.arg(id)).isEmpty());
    }

    void unservedCommandsGetErrors() {
        for (const QString& command : {u"MESSAGE bob hello"_s, u"GET CALL 999 STATUS"_s,
                                       u"CALL bad handle"_s, u"FLY AWAY"_s}) {
            QVERIFY(client_->command(command));
            QVERIFY2(!line(u"ERROR \\d+ .*"_s).isEmpty(), qPrintable(command));
        }
    }
};

QTEST_GUILESS_MAIN(TestSipHostCalls)
#include "tst_siphost_calls.moc"
