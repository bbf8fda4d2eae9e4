// PING to PONG through the program's D-Bus link and quenlark-hostsim, against a bare QtDBus
// round trip (org.freedesktop.DBus.Peer.Ping) to the simulator's connection in the same run.
#include "app/mainformcore.h"
#include "host/hostlinetarget.h"
#include "host_support.h"
#include "mainlink.h"
#include "platform/hosttransportdbus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr int kWarmUp = 300;
constexpr int kRounds = 5000;
constexpr int kBlock = 250; // the two kinds alternate in blocks, so drift hits both alike

// Counts the "PONG" lines the router hands out.
class PongCounter final : public HostLineTarget {
public:
    void SetSkypeResponse(QString& line) override {
        if (line == QLatin1String("PONG"))
            ++pongs;
    }
    int pongs = 0;
};

void waitUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

double linkPing(SkypeAPIHandler& api, PongCounter& counter) {
    const int before = counter.pongs;
    QElapsedTimer timer;
    timer.start();
    api.SendCommandToSkype(QStringLiteral("PING"));
    waitUntil([&] { return counter.pongs > before; });
    return double(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds from sending a method call to its reply, through the event loop as the link's
// own calls go.
double timeCall(QDBusConnection& bus, const QDBusMessage& call) {
    bool finished = false;
    QElapsedTimer timer;
    timer.start();
    QDBusPendingCallWatcher watcher(bus.asyncCall(call, 3000));
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &watcher,
                     [&finished] { finished = true; });
    waitUntil([&] { return finished; });
    return double(timer.nsecsElapsed()) / 1e6;
}

double barePing(QDBusConnection& bus, const QString& host) {
    return timeCall(bus, QDBusMessage::createMethodCall(host, QStringLiteral("/"),
                                                        QStringLiteral("org.freedesktop.DBus.Peer"),
                                                        QStringLiteral("Ping")));
}

// A Command call from a connection that is not attached: the simulator's main thread takes it
// and answers 0, and nothing else follows. The part of the link's trip that is the host's.
double commandCall(QDBusConnection& bus, const QString& host) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        host, QString::fromLatin1(HostTransport::kHostPath),
        QString::fromLatin1(HostTransport::kInterface), QStringLiteral("Command"));
    call << SkypeAPIHandler::encodeLine(QStringLiteral("PING"));
    return timeCall(bus, call);
}

// Attaches the way the program does and waits until the attach burst is over.
bool attach(MainFormCore& core, TestServices& bench, const QString& host) {
    core.api().ConnectToSkype();
    QElapsedTimer timer;
    timer.start();
    qsizetype lines = -1;
    while (timer.elapsed() < 10000 && (core.api().hostHandle() != host || !core.pongFlag() ||
                                       lines != bench.console.consoleLines().size())) {
        lines = bench.console.consoleLines().size();
        QElapsedTimer quiet;
        quiet.start();
        while (quiet.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    core.timer1().stop(); // no supervision tick in the middle of the measurement
    return core.api().hostHandle() == host;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrivateBus bus;
    HostSimProcess simulator({QStringLiteral("--user"), QStringLiteral("alice@") + bus.address()});
    if (bus.address().isEmpty() || !simulator.isReady()) {
        std::fprintf(stderr, "bench_host_pingpong: no dbus-daemon or no simulator\n");
        return 1;
    }
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), "bench");
    TestServices bench;
    bench.console.setEnabled(true); // only while attaching: the burst is read from it
    DBusHostTransport transport(connection);
    MainLink core(bench.services, transport);
    PongCounter counter;
    core.api().router().setTarget(HostLineRouter::Step::Contact, &counter);
    transport.registerClient();
    if (!attach(core, bench, simulator.hostName(QStringLiteral("alice")))) {
        std::fprintf(stderr, "bench_host_pingpong: the simulator did not attach\n");
        return 1;
    }
    bench.console.setEnabled(false);

    for (int i = 0; i < kWarmUp; ++i) {
        linkPing(core.api(), counter);
        barePing(connection, simulator.hostName(QStringLiteral("alice")));
    }
    QDBusConnection stranger = QDBusConnection::connectToBus(bus.address(), "stranger");
    QList<double> link;
    QList<double> bare;
    QList<double> command;
    for (int done = 0; done < kRounds; done += kBlock) {
        for (int i = 0; i < kBlock; ++i)
            link.append(linkPing(core.api(), counter));
        for (int i = 0; i < kBlock; ++i)
            bare.append(barePing(connection, simulator.hostName(QStringLiteral("alice"))));
        for (int i = 0; i < kBlock; ++i)
            command.append(commandCall(stranger, simulator.hostName(QStringLiteral("alice"))));
    }
    const double linkMedian = percentile(link, 50);
    const double bareMedian = percentile(bare, 50);
    std::printf("PING->PONG over the D-Bus link and quenlark-hostsim, %d rounds each\n", kRounds);
    printReference(QStringLiteral("bare Peer.Ping median"), bareMedian, QStringLiteral("ms"));
    printReference(QStringLiteral("bare Peer.Ping p99"), percentile(bare, 99),
                   QStringLiteral("ms"));
    printReference(QStringLiteral("Command call, no reply lines, median"), percentile(command, 50),
                   QStringLiteral("ms"));
    printFigure(QStringLiteral("link PING->PONG median"), linkMedian, QStringLiteral("ms"),
                QStringLiteral("<= 1.5x bare"), linkMedian <= 1.5 * bareMedian);
    printFigure(QStringLiteral("link median / bare median"), linkMedian / bareMedian,
                QStringLiteral("x"), QStringLiteral("<= 1.5"), linkMedian <= 1.5 * bareMedian);
    const double linkP99 = percentile(link, 99);
    printFigure(QStringLiteral("link PING->PONG p99"), linkP99, QStringLiteral("ms"),
                QStringLiteral("< 2 ms"), linkP99 < 2.0);
    QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
    QDBusConnection::disconnectFromBus(QStringLiteral("bench"));
    return 0;
}
