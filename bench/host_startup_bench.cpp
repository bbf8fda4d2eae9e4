// From the start of the quenlark process to the attach sequence's "PING" reaching the host,
// read from quenlark-hostsim's transcript (both clocks are this machine's wall clock).
#include "host_support.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

namespace {

constexpr int kRuns = 7;

QStringList transcript(QDBusConnection& bus) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.quenlark.HostSim"), QStringLiteral("/org/quenlark/HostSim"),
        QStringLiteral("org.quenlark.HostSim1"), QStringLiteral("Transcript"));
    return bus.call(call, QDBus::Block, 3000).arguments().value(0).toStringList();
}

// The time of the first transcript line from the client that ends in "[text]".
QDateTime firstFromClient(const QStringList& lines, const QString& text) {
    // "yyyy-MM-dd hh:mm:ss.zzz alice <- :1.5 [PING]"
    for (const QString& line : lines) {
        const QStringList words = line.split(u' ');
        if (words.size() >= 5 && words[3] == QLatin1String("<-") &&
            line.endsWith(u'[' + text + u']'))
            return QDateTime::fromString(words[0] + u' ' + words[1],
                                         QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    }
    return {};
}

QProcessEnvironment programEnvironment(const QString& busAddress, const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("QUENLARK_AUDIO"), QStringLiteral("virtual"));
    return env;
}

struct Run {
    double discoverMs = -1;
    double pingMs = -1;
};

// One start of the program against a fresh simulator; -1 where the step never came.
Run measureOnce(const QString& busAddress) {
    HostSimProcess simulator({QStringLiteral("--user"), QStringLiteral("alice@") + busAddress});
    QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QStringLiteral("control"));
    QTemporaryDir home;
    QProcess program;
    program.setProcessEnvironment(programEnvironment(busAddress, home.path()));
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    const QDateTime started = QDateTime::currentDateTime();
    program.start(QStringLiteral(QUENLARK_PROGRAM_PATH), {});
    Run run;
    QElapsedTimer timer;
    timer.start();
    while (simulator.isReady() && timer.elapsed() < 10000) {
        QThread::msleep(20);
        const QStringList lines = transcript(bus);
        const QDateTime ping = firstFromClient(lines, QStringLiteral("PING"));
        if (!ping.isValid())
            continue;
        run.pingMs = double(started.msecsTo(ping));
        run.discoverMs = double(started.msecsTo(firstFromClient(lines, "(Discover)")));
        break;
    }
    program.kill();
    program.waitForFinished(3000);
    QDBusConnection::disconnectFromBus(QStringLiteral("control"));
    return run;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrivateBus bus;
    if (bus.address().isEmpty()) {
        std::fprintf(stderr, "bench_host_startup: no dbus-daemon\n");
        return 1;
    }
    QList<double> pings;
    QList<double> discovers;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = measureOnce(bus.address());
        if (run.pingMs < 0) {
            std::fprintf(stderr, "bench_host_startup: run %d never attached\n", i + 1);
            return 1;
        }
        pings.append(run.pingMs);
        discovers.append(run.discoverMs);
    }
    std::printf("quenlark start-up against quenlark-hostsim, %d runs (offscreen)\n", kRuns);
    printReference(QStringLiteral("start to Discover, median"), percentile(discovers, 50),
                   QStringLiteral("ms"));
    const double median = percentile(pings, 50);
    printFigure(QStringLiteral("start to attach sequence PING, median"), median,
                QStringLiteral("ms"), QStringLiteral("< 300 ms"), median < 300);
    const double worst = percentile(pings, 100);
    printFigure(QStringLiteral("start to attach sequence PING, worst"), worst, QStringLiteral("ms"),
                QStringLiteral("< 300 ms"), worst < 300);
    return 0;
}
