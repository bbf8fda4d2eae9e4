#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QStringList>

class Simulator;

// Hooks for tests and benchmarks, on the control object's connection: object
// /org/quenlark/HostSim/Script, interface org.quenlark.HostSimScript1. It makes the host
// misbehave in the ways real hosts do (old message kind, repeated notices, late, lost or held
// replies), changes friends while running, sends chats in bulk, and reports every line
// exchanged as a signal so tests wait for events instead of polling.
class ScriptObject : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostSimScript1")

public:
    explicit ScriptObject(Simulator* simulator, QObject* parent = nullptr);
    ~ScriptObject() override;
    bool open(QString* error);

public slots:
    // "MESSAGE" makes HANDLE's host report chats as "MESSAGE id STATUS ..."; anything else
    // ("CHATMESSAGE") restores the usual kind.
    Q_SCRIPTABLE void SetMessageKind(const QString& handle, const QString& kind);
    // Sends the current status line of chat or call ID again to its receiving side (a chat's
    // recipient, both sides of a call); returns how many users were told.
    Q_SCRIPTABLE uint Renotify(uint id);
    // Replies to commands that match PATTERN (a regular expression over the whole command
    // line) are held ("hold", until ReleaseHeld), sent MS milliseconds late ("delay") or never
    // sent ("drop"); an empty ACTION removes the rule. The first matching rule applies.
    Q_SCRIPTABLE void SetReplyRule(const QString& pattern, const QString& action, int ms);
    Q_SCRIPTABLE void ClearReplyRules();
    // Sends every held reply, in order; returns how many.
    Q_SCRIPTABLE uint ReleaseHeld();
    Q_SCRIPTABLE void SetFriends(const QString& handle, const QStringList& friends);
    // Turns the LineExchanged signal on or off (off at start: it costs a bus message a line).
    Q_SCRIPTABLE void SetLineSignals(bool on);
    // FROM writes TEXT to TO COUNT times; returns the first message's id.
    Q_SCRIPTABLE uint SendChats(const QString& from, const QString& to, const QString& text,
                                uint count);

signals:
    // DIRECTION is "<-" (from the client), "->" (to it) or "--" (an event).
    Q_SCRIPTABLE void LineExchanged(const QString& user, const QString& peer,
                                    const QString& direction, const QString& line);

private:
    struct Rule {
        QRegularExpression pattern;
        QString action;
        int ms = 0;
    };
    struct Held {
        QString user;
        QString client;
        QString reply;
    };
    QStringList filter(const QString& user, const QString& client, const QString& command,
                       const QStringList& replies);
    void fail(const QString& why);

    Simulator* simulator_;
    QDBusConnection connection_;
    QList<Rule> rules_;
    QList<Held> held_;
    bool lineSignals_ = false;
};
