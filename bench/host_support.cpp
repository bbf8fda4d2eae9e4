#include "host_support.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

BenchBus::BenchBus() {
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1"), QStringLiteral("--nopidfile")});
    QElapsedTimer timer;
    timer.start();
    while (!m_daemon.canReadLine() && timer.elapsed() < 5000)
        m_daemon.waitForReadyRead(100);
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

BenchBus::~BenchBus() {
    m_daemon.kill();
    m_daemon.waitForFinished(2000);
}

BenchSimulator::BenchSimulator(const QString& busAddress) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(QUENLARK_HOSTSIM_PATH),
                    {QStringLiteral("--no-console"), QStringLiteral("--user"),
                     QStringLiteral("alice@") + busAddress});
    // The banner names alice's host ("user alice bus ADDRESS host :1.2") and ends in "ready".
    QElapsedTimer timer;
    timer.start();
    QString host;
    while (timer.elapsed() < 10000) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(100))
            continue;
        const QStringList words = QString::fromUtf8(m_process.readLine()).trimmed().split(u' ');
        if (words.size() == 6 && words[0] == QLatin1String("user"))
            host = words[5];
        if (words.value(0) == QLatin1String("ready")) {
            m_host = host;
            break;
        }
    }
}

BenchSimulator::~BenchSimulator() {
    m_process.kill();
    m_process.waitForFinished(2000);
}

double percentile(QList<double> sample, double p) {
    if (sample.isEmpty())
        return 0;
    std::sort(sample.begin(), sample.end());
    const auto rank = qsizetype(p / 100.0 * double(sample.size() - 1) + 0.5);
    return sample[std::clamp<qsizetype>(rank, 0, sample.size() - 1)];
}

void printFigure(const QString& name, double value, const QString& unit, const QString& target,
                 bool met) {
    std::printf("%-44s %12.3f %-8s (target %s) %s\n", name.toUtf8().constData(), value,
                unit.toUtf8().constData(), target.toUtf8().constData(), met ? "PASS" : "MISS");
    std::fflush(stdout);
}

void printReference(const QString& name, double value, const QString& unit) {
    std::printf("%-44s %12.3f %-8s (reference)\n", name.toUtf8().constData(), value,
                unit.toUtf8().constData());
    std::fflush(stdout);
}
