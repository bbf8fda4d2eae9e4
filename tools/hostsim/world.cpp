#include "world.h"

namespace {

SimUser makeUser(const char* handle, const char* fullName, const char* country, const char* status,
                 QStringList friends, qint64 lastOnline) {
    SimUser u;
    u.handle = QString::fromUtf8(handle);
    u.fullName = QString::fromUtf8(fullName);
    u.country = QString::fromUtf8(country);
    u.status = QString::fromUtf8(status);
    u.friends = std::move(friends);
    u.lastOnline = lastOnline;
    return u;
}

const char* callStateName(SimCall::State state) {
    switch (state) {
    case SimCall::State::Ringing:
        return "ringing";
    case SimCall::State::InProgress:
        return "inprogress";
    case SimCall::State::Ended:
        return "ended";
    case SimCall::State::Failed:
        return "failed";
    }
    return "?";
}

} // namespace

QString SimCall::statusFor(const QString& viewer) const {
    switch (state) {
    case State::Ringing:
        return QStringLiteral("RINGING");
    case State::InProgress:
        return QStringLiteral("INPROGRESS");
    case State::Failed:
        return QStringLiteral("FAILED");
    case State::Ended:
        break;
    }
    if (answered)
        return QStringLiteral("FINISHED");
    // Never answered: the side that gave up sees FINISHED; the callee of a call that the caller
    // cancelled missed it, and the caller of a call that the callee turned down was refused.
    if (viewer == endedBy)
        return QStringLiteral("FINISHED");
    return viewer == callee ? QStringLiteral("MISSED") : QStringLiteral("REFUSED");
}

QString SimMessage::statusFor(const QString& viewer) const {
    if (viewer == from)
        return QStringLiteral("SENT");
    return seen ? QStringLiteral("READ") : QStringLiteral("RECEIVED");
}

World World::demo(qint64 now) {
    World w;
    w.addUser(makeUser("alice", "Alice Liddell", "Japan", "ONLINE", {"bob", "carol", "dave"}, now));
    w.addUser(makeUser("bob", "Bob Marley", "Jamaica", "ONLINE", {"alice", "carol"}, now));
    w.addUser(
        makeUser("carol", "Carol King", "United States", "AWAY", {"alice", "bob"}, now - 600));
    w.addUser(makeUser("dave", "Dave Brubeck", "Germany", "OFFLINE", {"alice"}, now - 86400));
    return w;
}

SimUser* World::user(const QString& handle) {
    auto it = users_.find(handle);
    return it == users_.end() ? nullptr : &it->second;
}

const SimUser* World::user(const QString& handle) const {
    auto it = users_.find(handle);
    return it == users_.end() ? nullptr : &it->second;
}

SimUser& World::addUser(const SimUser& user) {
    if (!users_.count(user.handle))
        order_.append(user.handle);
    users_[user.handle] = user;
    return users_[user.handle];
}

SimUser& World::ensureUser(const QString& handle) {
    if (SimUser* existing = user(handle))
        return *existing;
    SimUser u;
    u.handle = handle;
    u.fullName = handle;
    return addUser(u);
}

SimCall& World::addCall(const QString& caller, const QString& callee, const QDateTime& now) {
    SimCall c;
    c.id = nextId_++;
    c.caller = caller;
    c.callee = callee;
    c.placed = now;
    return calls_[c.id] = c;
}

SimCall* World::call(uint id) {
    auto it = calls_.find(id);
    return it == calls_.end() ? nullptr : &it->second;
}

SimMessage& World::addMessage(const QString& from, const QString& to, const QString& body,
                              const QDateTime& now) {
    SimMessage m;
    m.id = nextId_++;
    m.from = from;
    m.to = to;
    m.body = body;
    m.time = now;
    return messages_[m.id] = m;
}

SimMessage* World::message(uint id) {
    auto it = messages_.find(id);
    return it == messages_.end() ? nullptr : &it->second;
}

QString describeCall(const SimCall& call) {
    return QStringLiteral("%1 %2 -> %3 %4")
        .arg(call.id)
        .arg(call.caller, call.callee, QString::fromLatin1(callStateName(call.state)));
}

QString describeMessage(const SimMessage& message) {
    return QStringLiteral("%1 %2 -> %3 %4: %5")
        .arg(message.id)
        .arg(message.from, message.to,
             message.seen ? QStringLiteral("read") : QStringLiteral("unread"), message.body);
}

QString describeUser(const SimUser& user) {
    return QStringLiteral("%1 %2 \"%3\" %4")
        .arg(user.handle, user.status, user.fullName, user.country);
}
