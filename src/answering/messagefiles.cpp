#include "messagefiles.h"

#include <QFileInfo>

namespace MessageFiles {

namespace {
constexpr int kStampLength = 14;
constexpr int kMaxCallerLength = 120;
const QLatin1String kHeardEnding(".r.wav");
const QLatin1String kEnding(".wav");

bool isStamp(QStringView text) {
    if (text.size() != kStampLength)
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}
} // namespace

Parsed parse(const QString& fileName) {
    Parsed parsed;
    if (fileName.size() < kStampLength + 2 || fileName.at(kStampLength) != u'_' ||
        !isStamp(QStringView(fileName).left(kStampLength)) || !fileName.endsWith(kEnding))
        return parsed;
    parsed.heard = fileName.endsWith(kHeardEnding);
    const qsizetype ending = parsed.heard ? kHeardEnding.size() : kEnding.size();
    parsed.caller = fileName.mid(kStampLength + 1, fileName.size() - kStampLength - 1 - ending);
    parsed.stamp = fileName.left(kStampLength);
    parsed.valid = !parsed.caller.isEmpty();
    return parsed;
}

QString safeCaller(const QString& handle) {
    QString safe = handle.left(kMaxCallerLength);
    for (QChar& c : safe) {
        if (c == u'/' || c == u'\\' || c == u'"' || c == u'\'' ||
            c.category() == QChar::Other_Control)
            c = u'_';
    }
    if (safe.startsWith(u'.'))
        safe[0] = u'_';
    // A caller ending in ".r" would read as a heard message of another caller.
    if (safe.endsWith(QLatin1String(".r")))
        safe[safe.size() - 2] = u'_';
    return safe.isEmpty() ? QStringLiteral("unknown") : safe;
}

QString freeMessagePath(const QString& folder, const QDateTime& start, const QString& handle) {
    const QString caller = safeCaller(handle);
    QString path;
    for (int second = 0; second < 100000; ++second) {
        const QString base = folder + u'/' +
                             start.addSecs(second).toString(QStringLiteral("yyyyMMddHHmmss")) +
                             u'_' + caller;
        path = base + kEnding;
        if (!QFileInfo::exists(path) && !QFileInfo::exists(base + kHeardEnding))
            break;
    }
    return path;
}

QString heardPath(const QString& path) {
    if (isHeard(path) || !path.endsWith(kEnding))
        return path;
    return path.left(path.size() - kEnding.size()) + kHeardEnding;
}

} // namespace MessageFiles
