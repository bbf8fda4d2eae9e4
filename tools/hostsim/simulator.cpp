#include "simulator.h"

#include "callcapture.h"
#include "hostendpoint.h"
#include "interpreter.h"
#include "microphonevoice.h"
#include "voiceplayer.h"

#include <QTimer>

namespace {

qint64 nowSeconds() {
    return QDateTime::currentSecsSinceEpoch();
}

QString callLine(uint id, const QString& status) {
    return QStringLiteral("CALL %1 STATUS %2").arg(id).arg(status);
}

} // namespace

Simulator::Simulator(World world, SimSettings settings, QObject* parent)
    : QObject(parent), world_(std::move(world)), settings_(std::move(settings)) {}

Simulator::~Simulator() = default;

bool Simulator::addEndpoint(const QString& handle, const QString& address, QString* error) {
    if (endpoints_.count(handle)) {
        *error = QStringLiteral("%1 is given twice").arg(handle);
        return false;
    }
    world_.ensureUser(handle);
    auto endpoint = std::make_unique<HostEndpoint>(handle, address, this);
    if (!endpoint->open(error))
        return false;
    endpoints_[handle] = std::move(endpoint);
    return true;
}

HostEndpoint* Simulator::endpoint(const QString& handle) const {
    auto it = endpoints_.find(handle);
    return it == endpoints_.end() ? nullptr : it->second.get();
}

std::vector<HostEndpoint*> Simulator::endpoints() const {
    std::vector<HostEndpoint*> list;
    for (const auto& [handle, endpoint] : endpoints_)
        list.push_back(endpoint.get());
    return list;
}

void Simulator::command(const QString& user, const QString& client, const QString& line) {
    CommandInterpreter interpreter(*this, user);
    QStringList replies = interpreter.execute(line);
    if (replyFilter_)
        replies = replyFilter_(user, client, line, replies);
    if (deferUserReplies(user, client, line, replies))
        return;
    if (HostEndpoint* target = endpoint(user)) {
        for (const QString& reply : replies)
            target->notifyClient(client, reply);
    }
}

void Simulator::clientAttached(const QString& user, const QString& client) {
    const SimUser* self = world_.user(user);
    if (HostEndpoint* target = endpoint(user); target && self)
        target->notifyClient(client, QStringLiteral("USERSTATUS ") + self->status);
}

void Simulator::notify(const QString& user, const QString& line) {
    if (HostEndpoint* target = endpoint(user))
        target->notifyAll(line);
}

void Simulator::watch(const QString& user, const QString& other) {
    watched_[user].insert(other);
}

QString Simulator::simulatedSide(const SimCall& call) const {
    if (!endpoint(call.callee))
        return call.callee;
    if (!endpoint(call.caller))
        return call.caller;
    return {};
}

OpResult Simulator::placeCall(const QString& from, const QString& to) {
    if (!world_.user(from) || !world_.user(to) || from == to)
        return OpResult::failure(QStringLiteral("no such user to call: %1").arg(to));
    SimCall& call = world_.addCall(from, to, QDateTime::currentDateTime());
    // The caller's host shows the call being routed before it rings; the callee only ever
    // sees it ringing, which is how a client tells an incoming call.
    notify(from, callLine(call.id, QStringLiteral("ROUTING")));
    if (world_.user(to)->status == QLatin1String("OFFLINE") && !endpoint(to)) {
        call.state = SimCall::State::Failed;
        notify(from, callLine(call.id, QStringLiteral("FAILED")));
        return OpResult::success(call.id);
    }
    notifyCallStatus(call);
    if (!endpoint(to))
        scheduleAnswer(call);
    return OpResult::success(call.id);
}

void Simulator::scheduleAnswer(const SimCall& call) {
    const int delay = world_.user(call.callee)->answerDelayMs;
    if (delay < 0)
        return;
    const uint id = call.id;
    const QString callee = call.callee;
    QTimer::singleShot(delay, this, [this, id, callee] {
        const SimCall* ringing = world_.call(id);
        if (ringing && ringing->state == SimCall::State::Ringing)
            answerCall(id, callee);
    });
}

OpResult Simulator::answerCall(uint id, const QString& as) {
    SimCall* call = world_.call(id);
    if (!call)
        return OpResult::failure(QStringLiteral("no call %1").arg(id));
    const QString who = as.isEmpty() ? call->callee : as;
    if (who != call->callee)
        return OpResult::failure(
            QStringLiteral("only %1 can answer call %2").arg(call->callee).arg(id));
    if (call->state != SimCall::State::Ringing)
        return OpResult::failure(QStringLiteral("call %1 is not ringing").arg(id));
    call->state = SimCall::State::InProgress;
    call->answered = true;
    call->answeredAt = QDateTime::currentDateTime();
    notifyCallStatus(*call);
    callAnswered(*call);
    return OpResult::success(id);
}

OpResult Simulator::endCall(uint id, const QString& as) {
    SimCall* call = world_.call(id);
    if (!call)
        return OpResult::failure(QStringLiteral("no call %1").arg(id));
    QString who = as.isEmpty() ? simulatedSide(*call) : as;
    if (who.isEmpty())
        who = call->callee;
    if (!call->involves(who))
        return OpResult::failure(QStringLiteral("%1 is not in call %2").arg(who).arg(id));
    if (call->isOver())
        return OpResult::failure(QStringLiteral("call %1 is over").arg(id));
    call->state = SimCall::State::Ended;
    call->endedBy = who;
    notifyCallStatus(*call);
    callEnded(*call);
    return OpResult::success(id);
}

void Simulator::notifyCallStatus(const SimCall& call) {
    notify(call.caller, callLine(call.id, call.statusFor(call.caller)));
    notify(call.callee, callLine(call.id, call.statusFor(call.callee)));
}

void Simulator::callAnswered(const SimCall& call) {
    const QString remote = simulatedSide(call);
    if (voice_ && !remote.isEmpty())
        voice_->start(call.id, remote);
    if (micVoice_ && !remote.isEmpty())
        micVoice_->start(call.id);
    // What the user's host sends into the call: its default source.
    if (capture_ && (endpoint(call.caller) || endpoint(call.callee)))
        capture_->start(call.id);
}

void Simulator::callEnded(const SimCall& call) {
    if (voice_)
        voice_->stop(call.id);
    if (micVoice_)
        micVoice_->stop(call.id);
    if (capture_)
        capture_->stop(call.id);
}

OpResult Simulator::sendChat(const QString& from, const QString& to, const QString& text) {
    if (!world_.user(from) || !world_.user(to))
        return OpResult::failure(QStringLiteral("no such user to write to: %1").arg(to));
    const SimMessage& message = world_.addMessage(from, to, text, QDateTime::currentDateTime());
    const QString status = QStringLiteral(" %1 STATUS ").arg(message.id);
    notify(from, messageKind(from) + status + QStringLiteral("SENDING"));
    notify(from, messageKind(from) + status + QStringLiteral("SENT"));
    // A chat to oneself shows only as sent, as a real host shows it: it is never received.
    if (from != to)
        routeChat(message);
    return OpResult::success(message.id);
}

void Simulator::setMessageKind(const QString& user, const QString& kind) {
    if (kind == QLatin1String("MESSAGE"))
        oldKindUsers_.insert(user);
    else
        oldKindUsers_.remove(user);
}

QString Simulator::messageKind(const QString& user) const {
    return oldKindUsers_.contains(user) ? QStringLiteral("MESSAGE") : QStringLiteral("CHATMESSAGE");
}

OpResult Simulator::markSeen(uint id, const QString& viewer, const QString& kind) {
    SimMessage* message = world_.message(id);
    if (!message || message->to != viewer)
        return OpResult::failure(QStringLiteral("no message %1 for %2").arg(id).arg(viewer));
    if (!message->seen) {
        message->seen = true;
        notify(viewer, QStringLiteral("%1 %2 STATUS READ").arg(kind).arg(id));
    }
    return OpResult::success(id);
}

OpResult Simulator::setStatus(const QString& handle, const QString& status) {
    SimUser* user = world_.user(handle);
    if (!user)
        return OpResult::failure(QStringLiteral("no user %1").arg(handle));
    const QString word = status.toUpper();
    if (user->status == word)
        return OpResult::success();
    user->status = word;
    user->lastOnline = nowSeconds();
    notify(handle, QStringLiteral("USERSTATUS ") + word);
    for (const auto& [other, endpointOfOther] : endpoints_) {
        const SimUser* listener = world_.user(other);
        const bool interested =
            (listener && listener->friends.contains(handle)) || watched_[other].contains(handle);
        if (other != handle && interested)
            endpointOfOther->notifyAll(QStringLiteral("USER %1 ONLINESTATUS %2").arg(handle, word));
    }
    return OpResult::success();
}

OpResult Simulator::setHostAvailable(const QString& handle, bool available) {
    HostEndpoint* target = endpoint(handle);
    if (!target)
        return OpResult::failure(QStringLiteral("%1 has no host on a bus").arg(handle));
    target->announceAvailability(available);
    return OpResult::success();
}

QStringList Simulator::callList() const {
    QStringList list;
    for (const auto& [id, call] : world_.calls())
        list.append(describeCall(call));
    return list;
}

QStringList Simulator::chatList() const {
    QStringList list;
    for (const auto& [id, message] : world_.messages())
        list.append(describeMessage(message));
    return list;
}

QStringList Simulator::userList() const {
    QStringList list;
    for (const QString& handle : world_.handles()) {
        QString line = describeUser(*world_.user(handle));
        if (HostEndpoint* target = endpoint(handle))
            line += QStringLiteral(" host=%1 clients=[%2]")
                        .arg(target->uniqueName(), target->clients().join(QLatin1Char(' ')));
        list.append(line);
    }
    return list;
}
