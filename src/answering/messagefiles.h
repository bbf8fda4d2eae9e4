#pragma once

#include <QDateTime>
#include <QString>

// The names of recorded messages in the answering machine folder:
//     yyyymmddhhmmss_<caller>.wav     not yet heard
//     yyyymmddhhmmss_<caller>.r.wav   heard
// The caller is everything between the "_" and the ending, so a handle with "." in it keeps
// its whole name.
namespace MessageFiles {

struct Parsed {
    bool valid = false;
    QString stamp;  // the 14 digits
    QString caller; // may contain "."
    bool heard = false;
};

// Splits a file name (no folder) into its parts; valid only for a 14-digit stamp, "_", a
// caller of at least one character and the ending ".wav" or ".r.wav".
Parsed parse(const QString& fileName);

// The handle as it may appear in a file name: "/", "\", quotes and control characters become
// "_", as do a leading "." and the "." of a trailing ".r" (which would read as heard); an
// empty handle becomes "unknown". At most 120 characters.
QString safeCaller(const QString& handle);

// A name in folder for a message recorded at start from the caller that is neither an unheard
// nor a heard message yet: the start time, moved on by a second while the name is taken.
QString freeMessagePath(const QString& folder, const QDateTime& start, const QString& handle);

// The heard form of a message path ("x.wav" -> "x.r.wav"); the path itself when already heard.
QString heardPath(const QString& path);
inline bool isHeard(const QString& path) {
    return path.endsWith(QLatin1String(".r.wav"));
}

} // namespace MessageFiles
