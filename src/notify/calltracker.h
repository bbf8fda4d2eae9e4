#pragma once

#include "host/hostlinetarget.h"
#include "notify/calltable.h"

#include <QObject>

#include <functional>

class AnnounceBack;
class BroadcastRecipients;
class NotifySwitches;

// The call tracker, the logic of CallForm and the router's fourth target. It keeps every
// call's first and latest status in the call table, asks the host for the other party of
// every ringing call, and reports each incoming call once (its first status was "RINGING"):
// by chat to each recipient, by a mail whose subject is the report, and by announce back.
// Nothing is reported while the recipient list is empty.
class CallTracker : public QObject, public HostLineTarget {
    Q_OBJECT
public:
    CallTracker(const NotifySwitches& switches, const BroadcastRecipients& recipients,
                AnnounceBack& announceBack, std::function<void(const QString&)> sendCommand,
                QObject* parent = nullptr);

    // Queues the ring report mail: the report text as subject, no body, no attachment.
    void setMailer(std::function<void(const QString& subject)> mailReport);

    CallTable& table() { return m_table; }
    const CallTable& table() const { return m_table; }

    // Trims the line of blanks in place, then takes "CALL id STATUS word" lines and
    // "CALL id PARTNER_HANDLE handle" replies; other lines are ignored.
    void SetSkypeResponse(QString& line) override;
    void AddCallID(qint32 id, const QString& from, const QString& status);
    bool IsRecievedCall(qint32 id) const { return m_table.IsRecievedCall(id); }
    // Decides about one row, once: only a row with the other party and a status line.
    void CheckCallInfoAndBroadcast(int row);

signals:
    // An incoming call was reported (by chat, mail and announce back, as switched on).
    void callReported(const QString& caller);

private:
    void report(const QString& caller);

    const NotifySwitches& m_switches;
    const BroadcastRecipients& m_recipients;
    AnnounceBack& m_announceBack;
    std::function<void(const QString&)> m_send;
    std::function<void(const QString&)> m_mailReport;
    CallTable m_table;
};
