#include "scriptobject.h"

#include "hostendpoint.h"
#include "simulator.h"

#include <QTimer>

namespace {
const QString kScriptPath = QStringLiteral("/org/quenlark/HostSim/Script");
} // namespace

ScriptObject::ScriptObject(Simulator* simulator, QObject* parent)
    : QObject(parent), simulator_(simulator),
      connection_(QDBusConnection(QStringLiteral("hostsim-control"))) {}

ScriptObject::~ScriptObject() {
    simulator_->transcript().setListener({});
    simulator_->setReplyFilter({});
    connection_.unregisterObject(kScriptPath);
}

bool ScriptObject::open(QString* error) {
    if (!connection_.registerObject(kScriptPath, this,
                                    QDBusConnection::ExportScriptableSlots |
                                        QDBusConnection::ExportScriptableSignals)) {
        *error = QStringLiteral("script: cannot export ") + kScriptPath;
        return false;
    }
    simulator_->setReplyFilter(
        [this](const QString& user, const QString& client, const QString& command,
               const QStringList& replies) { return filter(user, client, command, replies); });
    simulator_->transcript().setListener([this](const Transcript::Entry& entry) {
        if (!lineSignals_)
            return;
        const char* arrow = entry.direction == Transcript::Direction::FromClient ? "<-"
                            : entry.direction == Transcript::Direction::ToClient ? "->"
                                                                                 : "--";
        emit LineExchanged(entry.user, entry.peer, QString::fromLatin1(arrow), entry.line);
    });
    return true;
}

void ScriptObject::fail(const QString& why) {
    if (calledFromDBus())
        sendErrorReply(QStringLiteral("org.quenlark.HostSim1.Failed"), why);
}

void ScriptObject::SetMessageKind(const QString& handle, const QString& kind) {
    simulator_->setMessageKind(handle, kind);
}

uint ScriptObject::Renotify(uint id) {
    World& world = simulator_->world();
    if (const SimMessage* message = world.message(id)) {
        simulator_->notify(message->to, QStringLiteral("%1 %2 STATUS %3")
                                            .arg(simulator_->messageKind(message->to))
                                            .arg(id)
                                            .arg(message->statusFor(message->to)));
        return 1;
    }
    if (const SimCall* call = world.call(id)) {
        for (const QString& side : {call->caller, call->callee})
            simulator_->notify(
                side, QStringLiteral("CALL %1 STATUS %2").arg(id).arg(call->statusFor(side)));
        return 2;
    }
    fail(QStringLiteral("no call or message %1").arg(id));
    return 0;
}

void ScriptObject::SetReplyRule(const QString& pattern, const QString& action, int ms) {
    rules_.removeIf([&pattern](const Rule& rule) { return rule.pattern.pattern() == pattern; });
    if (action.isEmpty())
        return;
    if (action != QLatin1String("hold") && action != QLatin1String("delay") &&
        action != QLatin1String("drop"))
        return fail(QStringLiteral("a reply rule's action is hold, delay or drop"));
    const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern));
    if (!expression.isValid())
        return fail(QStringLiteral("not a regular expression: ") + pattern);
    rules_.append({expression, action, ms});
}

void ScriptObject::ClearReplyRules() {
    rules_.clear();
}

QStringList ScriptObject::filter(const QString& user, const QString& client, const QString& command,
                                 const QStringList& replies) {
    for (const Rule& rule : rules_) {
        if (!rule.pattern.match(command).hasMatch())
            continue;
        if (rule.action == QLatin1String("hold")) {
            for (const QString& reply : replies)
                held_.append({user, client, reply});
        } else if (rule.action == QLatin1String("delay")) {
            QTimer::singleShot(rule.ms, this, [this, user, client, replies] {
                if (HostEndpoint* endpoint = simulator_->endpoint(user)) {
                    for (const QString& reply : replies)
                        endpoint->notifyClient(client, reply);
                }
            });
        }
        return {};
    }
    return replies;
}

uint ScriptObject::ReleaseHeld() {
    const QList<Held> held = std::exchange(held_, {});
    for (const Held& item : held) {
        if (HostEndpoint* endpoint = simulator_->endpoint(item.user))
            endpoint->notifyClient(item.client, item.reply);
    }
    return uint(held.size());
}

void ScriptObject::SetFriends(const QString& handle, const QStringList& friends) {
    SimUser* user = simulator_->world().user(handle);
    if (!user)
        return fail(QStringLiteral("no user %1").arg(handle));
    user->friends = friends;
}

void ScriptObject::SetLineSignals(bool on) {
    lineSignals_ = on;
}

uint ScriptObject::SendChats(const QString& from, const QString& to, const QString& text,
                             uint count) {
    uint first = 0;
    for (uint i = 0; i < count; ++i) {
        const OpResult result = simulator_->sendChat(from, to, text);
        if (!result.ok) {
            fail(result.error);
            return first;
        }
        if (i == 0)
            first = result.id;
    }
    return first;
}
