#include "recordingnames.h"

#include "base/genlib.h"

#include <QFileInfo>

namespace RecordingNames {

namespace {
constexpr int kStampLength = 14;
const QString kExtension = QStringLiteral(".wav");

bool unsafe(QChar c) {
    return c == u'/' || c == u'\\' || c == u'"' || c == u'\'' || c == u'`' || !c.isPrint();
}
} // namespace

QString safeHandle(const QString& handle) {
    QString safe = handle.left(kMaxHandleLength);
    for (QChar& c : safe) {
        if (unsafe(c))
            c = u'_';
    }
    if (safe.startsWith(u'.'))
        safe[0] = u'_';
    return safe;
}

QString fileName(const QDateTime& start, const QString& handle) {
    return GEnLib::DateToStamp(start) + u'_' + safeHandle(handle) + kExtension;
}

QString freeFileName(const QString& folder, const QDateTime& start, const QString& handle) {
    QDateTime at = start;
    QString name = fileName(at, handle);
    // Bounded: a folder never holds a day's worth of recordings of one caller in one run.
    for (int i = 0; i < 86400 && QFileInfo::exists(folder + u'/' + name); ++i) {
        at = at.addSecs(1);
        name = fileName(at, handle);
    }
    return name;
}

bool parse(const QString& name, Parsed* parsed) {
    if (name.size() < kStampLength + 1 + kExtension.size() || name.at(kStampLength) != u'_' ||
        !name.endsWith(kExtension, Qt::CaseInsensitive))
        return false;
    for (int i = 0; i < kStampLength; ++i) {
        if (name.at(i) < u'0' || name.at(i) > u'9')
            return false;
    }
    parsed->stamp = name.left(kStampLength);
    parsed->caller = name.mid(kStampLength + 1, name.size() - kStampLength - 1 - kExtension.size());
    return true;
}

} // namespace RecordingNames
