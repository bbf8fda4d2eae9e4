// Call set-up through quenlark-sip-host on loopback: bob's dial to the "RINGING" line at the
// program's side (an upper bound of the INVITE reaching alice's baresip to "RINGING"), and
// "SET CALL ... INPROGRESS" to the "INPROGRESS" line (the call established).
#include "hostsimharness.h"
#include "siprig.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRounds = 20;

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values[values.size() / 2];
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QList<quint16> taken;
    const quint16 alicePort = freeSipPort(taken);
    const quint16 bobPort = freeSipPort(taken);
    const quint16 bobCtrl = freeSipPort(taken);
    PrivateBus bus;
    QProcess bridge;
    if (!startBridge(bridge, bus.address(), alicePort, dir.filePath(QStringLiteral("alice")))) {
        std::fprintf(stderr, "the bridge did not start\n");
        return 1;
    }
    QDir(dir.path()).mkdir(QStringLiteral("bob"));
    Caller bob(dir.filePath(QStringLiteral("bob")), bobPort, bobCtrl);
    TestClient client(bus.address(), QStringLiteral("bench"));
    client.discover();
    if (client.waitFor(QStringLiteral("USERSTATUS .*"), kWaitMs).isEmpty() || !bob.isConnected()) {
        std::fprintf(stderr, "no attach or no caller\n");
        return 1;
    }
    QList<double> ringing;
    QList<double> answered;
    QElapsedTimer clock;
    for (int round = 0; round < kRounds; ++round) {
        clock.start();
        bob.send(QStringLiteral("dial"), QStringLiteral("sip:alice@127.0.0.1:%1").arg(alicePort));
        const QString line = client.waitFor(QStringLiteral("CALL \\d+ STATUS RINGING"), kWaitMs);
        ringing.append(clock.nsecsElapsed() / 1e6);
        const QString id = line.section(QLatin1Char(' '), 1, 1);
        clock.start();
        client.command(QStringLiteral("SET CALL %1 STATUS INPROGRESS").arg(id));
        client.waitFor(QStringLiteral("CALL %1 STATUS INPROGRESS").arg(id), kWaitMs);
        answered.append(clock.nsecsElapsed() / 1e6);
        client.command(QStringLiteral("SET CALL %1 STATUS FINISHED").arg(id));
        client.waitFor(QStringLiteral("CALL %1 STATUS FINISHED").arg(id), kWaitMs);
        bob.waitForEvent(QStringLiteral("CALL_CLOSED"));
    }
    std::printf("dial to RINGING: median %.1f ms, max %.1f ms (target: median under 50 ms)\n",
                median(ringing), *std::max_element(ringing.begin(), ringing.end()));
    std::printf("INPROGRESS set to established: median %.1f ms, max %.1f ms "
                "(target: median under 100 ms)\n",
                median(answered), *std::max_element(answered.begin(), answered.end()));
    bridge.terminate();
    bridge.waitForFinished(10000);
    return 0;
}
