#pragma once

#include "host/hostlinetarget.h"
#include "notify/controlenvelope.h"
#include "notify/messagetable.h"

#include <QObject>

#include <functional>

class AnnounceBack;
class BroadcastRecipients;
class LogLib;
class NotifySwitches;

// The chat-message tracker, the logic of MessageForm and the router's third target. It
// follows every chat message the host reports as received ("CHATMESSAGE id STATUS RECEIVED",
// or "MESSAGE ..." from older hosts), asks the host for its sender and text, and once both are
// known decides once: a control message goes to the control envelope; our own reports
// ("=Quenlark=" first) are left alone; any other message is reported to each recipient by
// chat and may be announced back to its sender.
class MessageTracker : public QObject, public HostLineTarget {
    Q_OBJECT
public:
    MessageTracker(LogLib& log, const NotifySwitches& switches,
                   const BroadcastRecipients& recipients, AnnounceBack& announceBack,
                   std::function<void(const QString&)> sendCommand, QObject* parent = nullptr);

    MessageTable& table() { return m_table; }
    // Where the answering machine and the darts game plug in for their control messages.
    ControlEnvelope& envelope() { return m_envelope; }

    // Trims the line of blanks in place (every target after this one sees it trimmed), then
    // takes "CHATMESSAGE"/"MESSAGE" status lines and FROM_HANDLE, PARTNER_HANDLE and BODY
    // replies. Lines with another kind, too few words or an id that is no host id are ignored.
    void SetSkypeResponse(QString& line) override;
    void AddMessageID(qint32 id, const QString& from, const QString& body);
    // Decides about one row, once: only a row with sender and text, reported as received to
    // this user and not yet handled.
    void CheckMesssageInfoAndBroadcast(int row);

signals:
    // A chat message from another user was reported (by chat to each recipient, as switched on).
    void chatReported(const QString& sender);

private:
    void received(const QString& kind, qint32 id);
    void report(const QString& sender, const QString& text);

    LogLib& m_log;
    const NotifySwitches& m_switches;
    const BroadcastRecipients& m_recipients;
    AnnounceBack& m_announceBack;
    std::function<void(const QString&)> m_send;
    MessageTable m_table;
    ControlEnvelope m_envelope;
};
