#include "userdetails.h"

#include "hostendpoint.h"
#include "simulator.h"
#include "worldfile.h"

#include <QTimer>

const char* const kUserConsoleHelp =
    "adduser H | NAME | COUNTRY | STATUS | FRIENDS | DELAY   add a user (a world file line)\n"
    "setuser HANDLE fullname|country|lastonline VALUE   change a user's details; watchers hear it\n"
    "userdelay MS              answer GET USER after MS milliseconds (0: at once)";

namespace {

QString propertyName(const QString& asked) {
    const QString upper = asked.toUpper();
    if (upper == QLatin1String("FULLNAME") || upper == QLatin1String("COUNTRY") ||
        upper == QLatin1String("LASTONLINETIMESTAMP"))
        return upper;
    if (upper == QLatin1String("LASTONLINE"))
        return QStringLiteral("LASTONLINETIMESTAMP");
    return {};
}

QStringList outcome(const OpResult& result) {
    return {result.ok ? QStringLiteral("ok") : QStringLiteral("error: ") + result.error};
}

// The text after the first n words of the line, inner blanks kept.
QString restAfterWords(const QString& line, int n) {
    QString rest = line.trimmed();
    for (int i = 0; i < n; ++i)
        rest = rest.mid(rest.indexOf(QLatin1Char(' ')) + 1).trimmed();
    return rest;
}

} // namespace

SimUser* lookupUser(World& world, const QString& handle) {
    if (SimUser* exact = world.user(handle))
        return exact;
    for (const QString& known : world.handles()) {
        if (known.compare(handle, Qt::CaseInsensitive) == 0)
            return world.user(known);
    }
    return nullptr;
}

OpResult addSimUser(Simulator& simulator, const SimUser& user) {
    if (user.handle.isEmpty() || lookupUser(simulator.world(), user.handle))
        return OpResult::failure(QStringLiteral("%1 exists already").arg(user.handle));
    simulator.world().addUser(user);
    return OpResult::success();
}

OpResult setUserDetail(Simulator& simulator, const QString& handle, const QString& property,
                       const QString& value) {
    SimUser* user = lookupUser(simulator.world(), handle);
    if (!user)
        return OpResult::failure(QStringLiteral("no user %1").arg(handle));
    const QString name = propertyName(property);
    bool ok = true;
    if (name == QLatin1String("FULLNAME"))
        user->fullName = value;
    else if (name == QLatin1String("COUNTRY"))
        user->country = value;
    else if (name == QLatin1String("LASTONLINETIMESTAMP"))
        user->lastOnline = value.toLongLong(&ok);
    else
        return OpResult::failure(QStringLiteral("the property is fullname, country or lastonline"));
    if (!ok)
        return OpResult::failure(QStringLiteral("lastonline takes seconds since 1970"));
    simulator.notifyWatchers(user->handle,
                             QStringLiteral("USER %1 %2 %3").arg(user->handle, name, value));
    return OpResult::success();
}

void Simulator::notifyWatchers(const QString& handle, const QString& line) {
    for (const auto& [other, endpointOfOther] : endpoints_) {
        const SimUser* listener = world_.user(other);
        const bool interested =
            (listener && listener->friends.contains(handle)) || watched_[other].contains(handle);
        if (other != handle && interested)
            endpointOfOther->notifyAll(line);
    }
}

bool Simulator::deferUserReplies(const QString& user, const QString& client, const QString& line,
                                 const QStringList& replies) {
    const int delay = settings_.userReplyDelayMs;
    if (delay <= 0 || !line.startsWith(QLatin1String("GET USER "), Qt::CaseInsensitive))
        return false;
    // Replies of equal delay leave in the order they were asked.
    QTimer::singleShot(delay, this, [this, user, client, replies] {
        if (HostEndpoint* target = endpoint(user)) {
            for (const QString& reply : replies)
                target->notifyClient(client, reply);
        }
    });
    return true;
}

QStringList runUserCommand(Simulator& simulator, const QStringList& words, const QString& line) {
    const QString verb = words.value(0).toLower();
    if (verb == QLatin1String("adduser")) {
        SimUser user;
        QString error;
        if (!parseUserLine(restAfterWords(line, 1), QDateTime::currentSecsSinceEpoch(), &user,
                           &error))
            return {QStringLiteral("error: ") + error};
        return outcome(addSimUser(simulator, user));
    }
    if (verb == QLatin1String("setuser")) {
        if (words.size() < 3)
            return {QStringLiteral("error: setuser HANDLE fullname|country|lastonline VALUE")};
        const QString value = words.size() > 3 ? restAfterWords(line, 3) : QString();
        return outcome(setUserDetail(simulator, words[1], words[2], value));
    }
    if (verb == QLatin1String("userdelay")) {
        bool ok = false;
        const int delay = words.value(1).toInt(&ok);
        if (!ok || delay < 0 || words.size() != 2)
            return {QStringLiteral("error: userdelay MS")};
        simulator.setUserReplyDelay(delay);
        return {QStringLiteral("ok")};
    }
    return {};
}
