#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: one Qt application for the process, the test environment
// (virtual sound, Qt's test-mode standard paths) and a scratch folder that lives as long as
// the process.
namespace Fuzz {
// Called from LLVMFuzzerInitialize.
void init(int* argc, char*** argv);
// A folder of this process, removed at exit; a target empties what it uses per input.
QString scratch();
// The input as bytes.
inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
// The input's lines (split at LF, a CR before it dropped), at most maxLines of them.
QList<QByteArray> lines(const uint8_t* data, size_t size, qsizetype maxLines = 4096);
// Writes the bytes to that file, replacing it.
void writeFile(const QString& path, const QByteArray& contents);
} // namespace Fuzz
