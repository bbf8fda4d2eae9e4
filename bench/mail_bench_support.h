#pragma once

#include <QFile>
#include <QRandomGenerator>
#include <QString>

// The mail benchmarks' attachment: a 10 MB file of noise behind a "RIFF" mark, as large and as
// incompressible as a long recording.
namespace MailBench {

constexpr qint64 kWavBytes = 10LL * 1024 * 1024;

inline bool writeWav(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray data(kWavBytes, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
    data.replace(0, 4, "RIFF");
    return file.write(data) == data.size();
}

} // namespace MailBench
