#include "messagetracker.h"

#include "base/genlibtext.h"
#include "base/loglib.h"
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/notifyswitches.h"

namespace {
// The first word of every chat this program sends as a report or an announcement.
constexpr QLatin1String kOwnReportWord("=Quenlark=");
} // namespace

MessageTracker::MessageTracker(LogLib& log, const NotifySwitches& switches,
                               const BroadcastRecipients& recipients, AnnounceBack& announceBack,
                               std::function<void(const QString&)> sendCommand, QObject* parent)
    : QObject(parent), m_log(log), m_switches(switches), m_recipients(recipients),
      m_announceBack(announceBack), m_send(std::move(sendCommand)), m_envelope(m_send) {
    if (!m_send)
        m_send = [](const QString&) {};
}

void MessageTracker::SetSkypeResponse(QString& line) {
    GEnLib::TrimBlanks(line);
    if (line.isEmpty())
        return;
    const GEnLib::HeadWords words = GEnLib::SplitHeadWords(line);
    const QStringView kind = words.word[0];
    if (words.count < 4 ||
        (kind != QLatin1String("CHATMESSAGE") && kind != QLatin1String("MESSAGE")))
        return;
    const std::optional<qint32> id = GEnLib::ParseHostId(words.word[1]);
    if (!id)
        return;
    const QStringView property = words.word[2];
    if (property == QLatin1String("STATUS")) {
        if (words.word[3] == QLatin1String("RECEIVED"))
            received(kind.toString(), *id);
    } else if (property == QLatin1String("FROM_HANDLE") ||
               property == QLatin1String("PARTNER_HANDLE")) {
        AddMessageID(*id, words.word[3].toString(), {});
    } else if (property == QLatin1String("BODY")) {
        AddMessageID(*id, {}, words.rest.toString());
    }
}

void MessageTracker::received(const QString& kind, qint32 id) {
    // The row is there, marked received, before the queries go out, so replies routed while
    // they are being sent find it.
    m_table.noteReceived(id);
    const QString prefix = QStringLiteral("GET ") + kind + u' ' + QString::number(id);
    const bool oldKind = kind == QLatin1String("MESSAGE");
    m_send(prefix + (oldKind ? QStringLiteral(" PARTNER_HANDLE") : QStringLiteral(" FROM_HANDLE")));
    m_send(prefix + QStringLiteral(" BODY"));
}

void MessageTracker::AddMessageID(qint32 id, const QString& from, const QString& body) {
    const int row = m_table.AddMessageID(id, from, body);
    if (row >= 0)
        CheckMesssageInfoAndBroadcast(row);
}

void MessageTracker::CheckMesssageInfoAndBroadcast(int row) {
    if (row < 0 || row >= m_table.size())
        return;
    const MessageTable::Row& message = m_table.rowAt(row);
    // A reply to somebody else's query (the debug console's, say) is kept but never reported.
    if (message.from.isEmpty() || message.body.isEmpty() || message.handled || !message.received)
        return;
    // Copies: a handler's sends may route lines that add rows while this one decides.
    const qint32 id = message.id;
    const QString sender = message.from;
    const QString text = message.body;
    const qsizetype blank = text.indexOf(u' ');
    const QStringView firstWord = blank < 0 ? QStringView(text) : QStringView(text).first(blank);
    m_log.WriteLog(QStringLiteral("MessageForm.CheckMesssageInfoAndBroadcast:"
                                  "CheckMesssageInfoAndBroadcast:[") +
                       GEnLib::LogSafe(sender) + QStringLiteral("][") + GEnLib::LogSafe(firstWord) +
                       u']',
                   -1);
    // Handled before anything is sent, so no line routed meanwhile can decide again.
    m_table.markHandled(row);
    if (firstWord == QLatin1String(ControlEnvelope::kMarker)) {
        m_envelope.Dispatch(id, text, sender);
        return;
    }
    // Our own reports and announcements (from another copy, or bounced back) are never
    // reported again: two copies that list each other would otherwise never stop.
    if (firstWord == kOwnReportWord)
        return;
    report(sender, text);
    m_announceBack.Announce(sender, AnnounceBack::Kind::Message);
}

void MessageTracker::report(const QString& sender, const QString& text) {
    const QString tail = QStringLiteral(" =Quenlark= Send ") + m_switches.currentUserHandle() +
                         QStringLiteral(" Status [RECEIVE MESSAGE From ") + sender +
                         QStringLiteral("]\r") + text;
    for (const QString& recipient : m_recipients.users()) {
        if (m_switches.sendIMSwitch())
            m_send(QStringLiteral("MESSAGE ") + recipient + tail);
    }
    emit chatReported(sender);
}
