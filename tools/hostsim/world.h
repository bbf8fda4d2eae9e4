#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <map>

// The simulated people and what happened between them: users with their public details,
// calls and chat messages. Ids of calls and messages come from one counter, as a real host
// numbers all its objects in one series.

struct SimUser {
    QString handle;
    QString fullName;
    QString country;
    QString status = QStringLiteral("ONLINE");
    qint64 lastOnline = 0; // seconds since 1970
    QStringList friends;
    int answerDelayMs = 2000; // how long this user lets a call ring before answering; < 0: never
};

struct SimCall {
    enum class State { Ringing, InProgress, Ended, Failed };
    uint id = 0;
    QString caller;
    QString callee;
    State state = State::Ringing;
    bool answered = false;
    QString endedBy;
    QDateTime placed;
    QDateTime answeredAt;

    bool involves(const QString& handle) const { return handle == caller || handle == callee; }
    QString partnerOf(const QString& handle) const { return handle == caller ? callee : caller; }
    bool isOver() const { return state == State::Ended || state == State::Failed; }
    // The status word the host shows to one side of the call.
    QString statusFor(const QString& viewer) const;
};

struct SimMessage {
    uint id = 0;
    QString from;
    QString to;
    QString body;
    bool seen = false;
    QDateTime time;

    bool involves(const QString& handle) const { return handle == from || handle == to; }
    // The status word the host shows to one side of the chat.
    QString statusFor(const QString& viewer) const;
};

class World {
public:
    // alice (the program's user), bob, carol and dave.
    static World demo(qint64 now);

    SimUser* user(const QString& handle);
    const SimUser* user(const QString& handle) const;
    SimUser& addUser(const SimUser& user);
    SimUser& ensureUser(const QString& handle);
    const QStringList& handles() const { return order_; }

    SimCall& addCall(const QString& caller, const QString& callee, const QDateTime& now);
    SimCall* call(uint id);
    SimMessage& addMessage(const QString& from, const QString& to, const QString& body,
                           const QDateTime& now);
    SimMessage* message(uint id);
    const std::map<uint, SimCall>& calls() const { return calls_; }
    const std::map<uint, SimMessage>& messages() const { return messages_; }
    // The id the next call or message gets (--first-id; ids near 2^31 try a client's limits).
    void setNextId(uint id) { nextId_ = id; }
    uint nextId() const { return nextId_; }

private:
    uint nextId_ = 101;
    std::map<QString, SimUser> users_;
    QStringList order_;
    std::map<uint, SimCall> calls_;
    std::map<uint, SimMessage> messages_;
};

// One line per call or message, for the console and the control object.
QString describeCall(const SimCall& call);
QString describeMessage(const SimMessage& message);
QString describeUser(const SimUser& user);
