#include "transcript.h"

#include <QFile>
#include <QSaveFile>

void Transcript::add(const QString& user, const QString& peer, Direction direction,
                     const QString& line) {
    entries_.append({QDateTime::currentDateTime(), user, peer, direction, line});
    if (listener_)
        listener_(entries_.last());
}

QString Transcript::format(const Entry& entry) {
    const char* arrow = entry.direction == Direction::FromClient ? "<-"
                        : entry.direction == Direction::ToClient ? "->"
                                                                 : "--";
    return QStringLiteral("%1 %2 %3 %4 [%5]")
        .arg(entry.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")), entry.user,
             QString::fromLatin1(arrow), entry.peer, entry.line);
}

QStringList Transcript::lines() const {
    QStringList out;
    out.reserve(entries_.size());
    for (const Entry& entry : entries_)
        out.append(format(entry));
    return out;
}

bool Transcript::save(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    for (const QString& line : lines())
        file.write(line.toUtf8() + '\n');
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
