#include "worldfile.h"

#include <QFile>
#include <QTextStream>

namespace {

QStringList splitFriends(const QString& field) {
    QStringList friends;
    for (const QString& part : field.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty())
            friends.append(part.trimmed());
    }
    return friends;
}

} // namespace

bool parseUserLine(const QString& line, qint64 now, SimUser* user, QString* error) {
    const QStringList fields = line.split(QLatin1Char('|'));
    auto field = [&](int i) { return i < fields.size() ? fields[i].trimmed() : QString(); };
    user->handle = field(0);
    if (user->handle.isEmpty() || user->handle.contains(QLatin1Char(' '))) {
        *error = QStringLiteral("a handle is one word");
        return false;
    }
    user->fullName = field(1);
    user->country = field(2);
    if (!field(3).isEmpty())
        user->status = field(3).toUpper();
    user->friends = splitFriends(field(4));
    if (!field(5).isEmpty()) {
        bool ok = false;
        user->answerDelayMs = field(5).toInt(&ok);
        if (!ok) {
            *error = QStringLiteral("the answer delay is a number of milliseconds");
            return false;
        }
    }
    user->lastOnline = user->status == QLatin1String("OFFLINE") ? now - 3600 : now;
    return true;
}

bool loadWorldFile(const QString& path, qint64 now, World* world, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    World loaded;
    QTextStream in(&file);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        SimUser user;
        QString why;
        if (!parseUserLine(line, now, &user, &why)) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(why);
            return false;
        }
        loaded.addUser(user);
    }
    *world = std::move(loaded);
    return true;
}
