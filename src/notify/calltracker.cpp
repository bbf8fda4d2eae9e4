#include "calltracker.h"

#include "base/genlibtext.h"
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/notifyswitches.h"

CallTracker::CallTracker(const NotifySwitches& switches, const BroadcastRecipients& recipients,
                         AnnounceBack& announceBack,
                         std::function<void(const QString&)> sendCommand, QObject* parent)
    : QObject(parent), m_switches(switches), m_recipients(recipients), m_announceBack(announceBack),
      m_send(std::move(sendCommand)) {
    if (!m_send)
        m_send = [](const QString&) {};
}

void CallTracker::setMailer(std::function<void(const QString&)> mailReport) {
    m_mailReport = std::move(mailReport);
}

void CallTracker::SetSkypeResponse(QString& line) {
    GEnLib::TrimBlanks(line);
    if (line.isEmpty())
        return;
    const GEnLib::HeadWords words = GEnLib::SplitHeadWords(line);
    if (words.count < 4 || words.word[0] != QLatin1String("CALL"))
        return;
    const std::optional<qint32> id = GEnLib::ParseHostId(words.word[1]);
    if (!id)
        return;
    const QStringView property = words.word[2];
    if (property == QLatin1String("STATUS")) {
        const QString status = words.word[3].toString();
        AddCallID(*id, {}, status);
        // Every ringing notice asks again; the report still goes out once.
        if (status == QLatin1String("RINGING"))
            m_send(QStringLiteral("GET CALL ") + QString::number(*id) +
                   QStringLiteral(" PARTNER_HANDLE"));
    } else if (property == QLatin1String("PARTNER_HANDLE")) {
        AddCallID(*id, words.word[3].toString(), {});
    }
}

void CallTracker::AddCallID(qint32 id, const QString& from, const QString& status) {
    const int row = m_table.AddCallID(id, from, status);
    if (row >= 0)
        CheckCallInfoAndBroadcast(row);
}

void CallTracker::CheckCallInfoAndBroadcast(int row) {
    if (row < 0 || row >= m_table.size() || m_recipients.users().isEmpty())
        return;
    const CallTable::Row& call = m_table.rowAt(row);
    // A handle for a call the host never reported a status of came from somebody else's
    // query; the call is decided when its first status line arrives.
    if (call.from.isEmpty() || call.handled || call.firstStatus.isEmpty())
        return;
    const bool incoming = call.firstStatus == QLatin1String("RINGING");
    const QString caller = call.from;
    // Handled before anything is sent; an outgoing call is marked without a report.
    m_table.markHandled(row);
    if (incoming)
        report(caller);
}

void CallTracker::report(const QString& caller) {
    const QString text = QStringLiteral("=Quenlark= Send ") + m_switches.currentUserHandle() +
                         QStringLiteral(" Status [RECEIVE CALL From ") + caller + u']';
    for (const QString& recipient : m_recipients.users()) {
        if (m_switches.sendIMSwitch())
            m_send(QStringLiteral("MESSAGE ") + recipient + u' ' + text);
    }
    m_announceBack.Announce(caller, AnnounceBack::Kind::Call);
    if (m_switches.sendMailSwitch() && m_mailReport)
        m_mailReport(text);
    emit callReported(caller);
}
