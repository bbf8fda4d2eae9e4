#pragma once

#include "notify/controlenvelope.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

struct Services;
class AutoAnswerMachine;
class MCILib;

// Remote control of the answering machine between two copies of the program, both ends: the
// "AutoAnswer" control messages of the chat envelope. In the machine role a listed controller
// that knows the access key opens a session ("AUTH"), fetches the list of messages ("LIST" ->
// one "RECORD" each) and has one played to them in a call back ("PLAY"); in the controller
// role this copy asks another machine (requestAccess, SendPlayOrder) and takes its answers.
// The program is in at most one session at a time, in one role; "BYE" ends it either way.
// It needs no window: the list is reread from the folder for each request.
class RemoteControl : public QObject, public ControlMessageHandler {
    Q_OBJECT
public:
    static constexpr int kTickMs = 60000;    // Timer2
    static constexpr int kSessionTicks = 60; // a granted session lasts an hour
    static constexpr int kMaxKeyLength = 64;
    static constexpr int kRefusalLimit = 5;       // refused AUTH from one sender ...
    static constexpr int kRefusalWindowSec = 600; // ... within 10 minutes ...
    static constexpr int kBlockSec = 600;         // ... mute its AUTH for 10 minutes

    // sendCommand sends one host command line (control messages and "CALL").
    RemoteControl(Services& services, AutoAnswerMachine& machine, MCILib& mci,
                  std::function<void(const QString&)> sendCommand, QObject* parent = nullptr);

    // Messages are taken while this says so (the main window's answering switch); always
    // when it is not set.
    void setEnabledCheck(std::function<bool()> check) { m_enabled = std::move(check); }
    bool takesControlMessages() const override { return !m_enabled || m_enabled(); }
    void SkypeMessageHandler(QString& text, QString& sender) override;

    // Controller role. Starts a session with user: "AUTH <nonce> <scrambled key>" goes out
    // and only that user's answers count. False (nothing sent) for an empty user or a key
    // that cannot be scrambled.
    bool requestAccess(const QString& user, const QString& plainKey);
    // Sets the session; both empty ends it, with "BYE" when a key was held.
    void SetRemoteInfo(const QString& key, const QString& user);
    // Asks the machine for the item ("date time caller"); only with a granted key and this
    // copy's machine idle, which then waits for the call back ("RemoteRequest").
    bool SendPlayOrder(const QString& item);

    void Timer2_Timer();

    const QString& remoteUser() const { return m_remoteUser; }
    const QString& sessionKey() const { return m_sessionKey; }
    bool controllerMode() const { return m_controllerMode; }
    int sessionMinutes() const { return m_sessionMinutes; }
    bool timer2Active() const { return m_timer2.isActive(); }

    // Why a text cannot be the access key (empty, outside the scrambling alphabet, dots only,
    // longer than kMaxKeyLength); empty text when it can. An empty key turns remote control
    // off: every AUTH is refused.
    static QString accessKeyProblem(const QString& key);
    // A session key or nonce: a whole number 0..10000 from the clock's generator.
    static QString OpenSession(double random);

signals:
    // A "RECORD" of the machine asked; three empty texts: the list starts anew.
    void recordReceived(const QString& date, const QString& time, const QString& caller);
    void refused();
    void sessionEnded();

private:
    void machineRole(const QStringList& words, const QString& sender);
    void controllerRole(const QStringList& words, const QString& sender);
    void authRequest(const QStringList& words, const QString& sender);
    void list(const QString& sender);
    void play(const QStringList& words, const QString& sender);
    bool sessionMessage(const QStringList& words, const QString& sender) const;
    void endSession();
    void sendTo(const QString& user, const QString& words);
    void trace(const QString& text);
    bool muted(const QString& sender);
    void noteRefusal(const QString& sender);

    Services& m_services;
    AutoAnswerMachine& m_machine;
    MCILib& m_mci;
    std::function<void(const QString&)> m_send;
    std::function<bool()> m_enabled;

    QString m_remoteUser;
    QString m_sessionKey;
    QString m_nonce; // of this copy's pending AUTH request
    bool m_controllerMode = false;
    int m_sessionMinutes = 0;
    QTimer m_timer2;

    QHash<QString, QList<QDateTime>> m_refusals; // sender -> recent refused AUTH
    QHash<QString, QDateTime> m_mutedUntil;
};
