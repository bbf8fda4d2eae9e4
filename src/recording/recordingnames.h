#pragma once

#include <QDateTime>
#include <QString>

// The names of call recordings: "yyyymmddhhmmss_<handle>.wav" in the recordings folder, the
// stamp being the local time the recording started. The history reads the time and the caller
// back from the name, so the name is the only record of both.
namespace RecordingNames {

// A handle from the host made safe for a file name and for a quoted sound command: "/", "\",
// quotes, control and other unprintable characters and a leading "." become "_"; at most
// kMaxHandleLength characters are kept.
inline constexpr int kMaxHandleLength = 64;
QString safeHandle(const QString& handle);

// The file name of a recording started at that local time.
QString fileName(const QDateTime& start, const QString& handle);

// A name in the folder that no file or folder holds yet: the name of that start time, or of
// the next free second, so two recordings in one second never overwrite each other and the
// list still reads both.
QString freeFileName(const QString& folder, const QDateTime& start, const QString& handle);

// A listed recording: 14 digits, "_", the caller (possibly empty), ".wav" in any case.
struct Parsed {
    QString stamp;
    QString caller;
};
bool parse(const QString& name, Parsed* parsed);

} // namespace RecordingNames
