#pragma once

#include "hostsimharness.h"
#include "testservices.h"

#include <QList>
#include <QString>

// The bus and the simulator come from the simulator tests' harness: PrivateBus (a dbus-daemon
// of the benchmark's own) and HostSimProcess (quenlark-hostsim on it, "alice" as its user).
// Percentile of a sample in the unit it was taken in (p in 0..100).
double percentile(QList<double> sample, double p);

// "name value unit (target ...) PASS|MISS", and a figure printed for comparison only.
void printFigure(const QString& name, double value, const QString& unit, const QString& target,
                 bool met);
void printReference(const QString& name, double value, const QString& unit);
