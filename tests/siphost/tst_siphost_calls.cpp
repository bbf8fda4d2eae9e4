// The bridge between a private bus and two baresip instances on loopback: bob calls alice,
// whose phone is the bridge's baresip; the test stands where Quenlark stands.
#include "ctrlcodec.h"
#include "hostsimharness.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <csignal>
#include <sys/prctl.h>

namespace {
constexpr int kWaitMs = 30000; // generous: the machine may be busy

// A SIP port p with p + 1 free too (baresip takes it for TLS), on TCP and UDP.
quint16 freeSipPort(QList<quint16>& taken) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        bool free = port < 65000 && !taken.contains(port) && !taken.contains(port + 1);
        for (quint16 p : {port, quint16(port + 1)}) {
            QTcpServer tcp;
            QUdpSocket udp;
            free = free && tcp.listen(QHostAddress::LocalHost, p) &&
                   udp.bind(QHostAddress::LocalHost, p);
        }
        if (free) {
            taken << port << quint16(port + 1);
            return port;
        }
    }
    return 0;
}

void endWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// bob: a plain baresip the test drives through its own ctrl_tcp.
class Caller {
public:
    Caller(const QString& dir, quint16 sipPort, quint16 ctrlPort) {
        QFile config(dir + QStringLiteral("/config"));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral("poll_method epoll\nmodule_path /usr/lib/baresip/modules\n"
                                    "sip_listen 127.0.0.1:%1\nnet_interface 127.0.0.1\n"
                                    "audio_player aubridge,bob\naudio_source aubridge,bob\n"
                                    "audio_alert aubridge,bob\nmodule g711.so\n"
                                    "module aubridge.so\nmodule account.so\nmodule_app menu.so\n"
                                    "module_app ctrl_tcp.so\nctrl_tcp_listen 127.0.0.1:%2\n")
                         .arg(sipPort)
                         .arg(ctrlPort)
                         .toUtf8());
        config.close();
        QFile accounts(dir + QStringLiteral("/accounts"));
        accounts.open(QIODevice::WriteOnly);
        accounts.write(QStringLiteral("<sip:bob@127.0.0.1:%1>;regint=0\n").arg(sipPort).toUtf8());
        accounts.close();
        endWithTheTest(process_);
        process_.setStandardInputFile(QProcess::nullDevice());
        process_.setStandardOutputFile(dir + QStringLiteral("/baresip.log"));
        process_.start(QStringLiteral("baresip"), {QStringLiteral("-f"), dir});
        QElapsedTimer timer;
        timer.start();
        while (socket_.state() != QAbstractSocket::ConnectedState && timer.elapsed() < kWaitMs) {
            socket_.abort();
            socket_.connectToHost(QHostAddress::LocalHost, ctrlPort);
            socket_.waitForConnected(1000) || (QTest::qWait(100), false);
        }
    }
    ~Caller() {
        process_.kill(); // by its pid
        process_.waitForFinished(5000);
    }
    bool isConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void send(const QString& command, const QString& params = QString()) {
        socket_.write(encodeCommand(command, params, QStringLiteral("1")));
        socket_.flush();
    }
    // Waits for an event of that type; false when none came.
    bool waitForEvent(const QString& type) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < kWaitMs) {
            reader_.feed(socket_.readAll());
            while (const auto frame = reader_.next()) {
                if (decodeMessage(*frame).type == type)
                    return true;
            }
            socket_.waitForReadyRead(100);
        }
        return false;
    }

private:
    QProcess process_;
    QTcpSocket socket_;
    NetstringReader reader_;
};
} // namespace

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

    endWithTheTest(bridge_);
    bridge_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    bridge_.start(QStringLiteral(QUENLARK_BINARY_DIR "/bin/quenlark-sip-host"),
                  {QStringLiteral("--bus"), bus_->address(), QStringLiteral("--account"),
                   QStringLiteral("<sip:alice@127.0.0.1:%1>;regint=0").arg(alicePort),
                   QStringLiteral("--sip-listen"), QStringLiteral("127.0.0.1:%1").arg(alicePort),
                   QStringLiteral("--net-interface"), QStringLiteral("127.0.0.1"),
                   QStringLiteral("--audio-player"), QStringLiteral("aubridge,alice"),
                   QStringLiteral("--audio-source"), QStringLiteral("aubridge,alice"),
                   QStringLiteral("--config-dir"), dir_.filePath(QStringLiteral("alice"))});
    bool ready = false;
    QElapsedTimer timer;
    timer.start();
    while (!ready && timer.elapsed() < kWaitMs && bridge_.state() != QProcess::NotRunning) {
        if (bridge_.canReadLine() || bridge_.waitForReadyRead(100))
            ready = bridge_.readLine().trimmed() == "ready";
    }
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
