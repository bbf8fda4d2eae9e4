#include "host_support.h"

#include <algorithm>
#include <cstdio>

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
