#pragma once

#include "testservices.h"

#include <QList>
#include <QProcess>
#include <QString>

// A dbus-daemon of the benchmark's own; address() is empty when it could not start.
class BenchBus {
public:
    BenchBus();
    ~BenchBus();
    const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

// quenlark-hostsim with one user "alice" on the given bus, without its console.
class BenchSimulator {
public:
    explicit BenchSimulator(const QString& busAddress);
    ~BenchSimulator();
    bool isReady() const { return !m_host.isEmpty(); }
    const QString& hostName() const { return m_host; } // alice's host on the bus

private:
    QProcess m_process;
    QString m_host;
};

// Percentile of a sample in the unit it was taken in (p in 0..100).
double percentile(QList<double> sample, double p);

// "name value unit (target ...) PASS|MISS", and a figure printed for comparison only.
void printFigure(const QString& name, double value, const QString& unit, const QString& target,
                 bool met);
void printReference(const QString& name, double value, const QString& unit);
