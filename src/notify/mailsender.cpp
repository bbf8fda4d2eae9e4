#include "mailsender.h"

#include "base/debugconsole.h"
#include "base/loglib.h"
#include "base/services.h"
#include "notify/keychainsecretstore.h"
#include "notify/mailcompose.h"
#include "notify/mailpassword.h"
#include "notify/smtpsocket.h"

namespace {

// What each conversation state waits for, where it goes next and what the main window shows.
struct ConversationStep {
    const char* tag;
    const char* expectedCode;
    const char* nextTag;
    const char* status; // nullptr: the status text stays as it is
};
constexpr ConversationStep kSteps[] = {
    {"Connect", "220", "Helo", "Sending HELO"},
    {"Helo", "250", "Mail From", "Sending FROM"},
    {"Mail From", "250", "Rcpt To", "Sending RCPT"},
    {"Rcpt To", "250", "Data", "Sending DATA"},
    {"Data", "354", "Body", nullptr},
    {"Body", "250", "Quit", "Sending QUIT"},
};
constexpr const char* kQuit = "Quit";

const ConversationStep* stepFor(const QString& tag) {
    for (const ConversationStep& step : kSteps) {
        if (tag == QLatin1String(step.tag))
            return &step;
    }
    return nullptr;
}

// Message data is handed to the socket while less than this much waits to be sent.
constexpr qint64 kSendHighWater = 4 * 1024 * 1024;

} // namespace

MailSender::MailSender(Services& services, QObject* parent)
    : MailSender(services, std::make_unique<SmtpSocket>(), parent) {}

MailSender::MailSender(Services& services, std::unique_ptr<SmtpTransport> transport,
                       QObject* parent)
    : MailSender(services, std::move(transport), nullptr, parent) {}

MailSender::MailSender(Services& services, std::unique_ptr<SmtpTransport> transport,
                       std::unique_ptr<SecretStore> secrets, QObject* parent)
    : QObject(parent), m_services(services),
      m_transport(transport ? std::move(transport) : std::make_unique<SmtpSocket>()),
      m_password(new MailPassword(
          secrets ? std::move(secrets) : std::make_unique<KeychainSecretStore>(), this)) {
    connectTransport();
    m_timer1.setInterval(kTimeoutMs);
    connect(&m_timer1, &QTimer::timeout, this, &MailSender::Timer1_Timer);
    connect(m_transport.get(), &SmtpTransport::dataArrived, this, &MailSender::DataArrival);
    connect(m_transport.get(), &SmtpTransport::drained, this, [this] {
        // A long upload is progress, not silence: that includes the message's last megabytes,
        // which still leave the socket's buffer after the whole message was handed to it.
        if (m_tag != QLatin1String("Body"))
            return;
        restartTimer1();
        pumpMessage();
    });
    connect(m_transport.get(), &SmtpTransport::transportError, this, [this](const QString& text) {
        m_services.console.ConsolePrint(QStringLiteral("SendMail: socket error: ") + text);
        // An unreachable server ends in the time-out like a silent one. A connection lost in
        // the middle of the conversation can never finish it: that mail fails at once (kept
        // listed with its note) and the next one goes out.
        if (m_tag.isEmpty() || m_tag == QLatin1String("Connect") || m_tag == QLatin1String(kQuit) ||
            !sendingRecord())
            return;
        const QString note = QStringLiteral("Connection lost[%1]: %2").arg(m_tag, text);
        m_services.log.WriteLog(QStringLiteral("SendMail: the mail failed: ") + note, -1);
        setText6(QStringLiteral("ERR : ") + note);
        failSending(note, true);
    });
}

MailSender::~MailSender() = default;

void MailSender::setField(QString& field, const QString& text) {
    if (field == text)
        return;
    field = text;
    emit fieldsChanged();
}

void MailSender::setSmtpServer(const QString& text) {
    setField(m_smtpServer, text);
}
void MailSender::setFrom(const QString& text) {
    setField(m_from, text);
}
void MailSender::setTo(const QString& text) {
    setField(m_to, text);
}
void MailSender::setSubject(const QString& text) {
    setField(m_subject, text);
}
void MailSender::setBody(const QString& text) {
    setField(m_body, text);
}
void MailSender::setAttachment(const QString& text) {
    setField(m_attachment, text);
}
void MailSender::setUser(const QString& text) {
    setField(m_user, text);
}
void MailSender::setSecurity(SmtpSecurity security) {
    if (m_security == security)
        return;
    m_security = security;
    emit fieldsChanged();
}

void MailSender::LoadSettings() {
    const SettingsStore& store = m_services.settings;
    setSmtpServer(readSetting(store, SendMailKeys::SMTPServer));
    setFrom(readSetting(store, SendMailKeys::SenderMailAddress));
    setTo(readSetting(store, SendMailKeys::MailAddress));
    setSecurity(ParseSecurity(readSetting(store, SendMailKeys::Security)));
    setUser(readSetting(store, SendMailKeys::UserName));
    if (!m_user.isEmpty())
        m_password->load(MailPassword::keyFor(m_user, ParseServerText(m_smtpServer).host));
}

void MailSender::SaveSettings() {
    SettingsStore& store = m_services.settings;
    for (const SettingKey& key : SendMailKeys::all)
        deleteIfPresent(store, key);
    writeSetting(store, SendMailKeys::SMTPServer, m_smtpServer.trimmed());
    writeSetting(store, SendMailKeys::SenderMailAddress, m_from.trimmed());
    writeSetting(store, SendMailKeys::MailAddress, m_to.trimmed());
    writeSetting(store, SendMailKeys::Security, SecurityText(m_security));
    writeSetting(store, SendMailKeys::UserName, m_user.trimmed());
    if (!m_user.trimmed().isEmpty())
        m_password->save(MailPassword::keyFor(m_user, ParseServerText(m_smtpServer).host));
}

void MailSender::SendMail() {
    QueueMail(m_subject, m_body, m_attachment);
}

void MailSender::QueueMail(const QString& subject, const QString& body, const QString& attachment) {
    setText6(QString());
    const MailCompose::HeaderBlock block =
        MailCompose::BuildHeaderBlock(m_from, m_to, attachment, m_services.clock);
    Record record;
    record.sequence = m_nextSequence++;
    record.header = block.header;
    record.boundary = block.boundary;
    record.attachmentPath = block.boundary.isEmpty() ? QString() : attachment;
    record.subject = subject;
    record.body = body;
    m_queue.append(record);
    ExecSend();
}

void MailSender::ExecSend() {
    if (!m_tag.isEmpty() || sendingRecord())
        return;
    auto waiting = std::find_if(m_queue.begin(), m_queue.end(),
                                [](const Record& r) { return r.state == Waiting; });
    if (waiting == m_queue.end())
        return;
    waiting->state = Sending;
    setTag(QStringLiteral("Connect"));
    if (!m_transport->isClosed())
        m_transport->close();
    m_replies.clear();
    m_stream.reset();
    m_timer1.start();
    startConnection();
    setMailStatus(QStringLiteral("Conectting"));
}

void MailSender::Timer1_Timer() {
    const QString tag = m_tag;
    failSending(QStringLiteral("Time Out Err[") + tag + u']', false);
}

void MailSender::DataArrival(const QByteArray& data) {
    if (!sendingRecord())
        return;
    m_replies.append(data);
    restartTimer1();
    SmtpReplyReader::Reply reply;
    while (!m_tag.isEmpty() && m_replies.takeReply(reply))
        handleReply(reply);
}

void MailSender::handleReply(const SmtpReplyReader::Reply& reply) {
    if (m_tag == QLatin1String(kQuit)) {
        finishConversation();
        return;
    }
    if (handleLoginReply(reply))
        return;
    const QByteArray& code = reply.code;
    const ConversationStep* step = stepFor(m_tag);
    if (!step)
        return;
    if (code != step->expectedCode) {
        m_stream.reset();
        setText6(QStringLiteral("ERR : ") + QString::fromLatin1(code));
        m_refusal = QString::fromUtf8(reply.lines).simplified();
        setTag(QLatin1String(kQuit));
        sendLine("QUIT");
        return;
    }
    const QString tag = m_tag;
    setTag(QLatin1String(step->nextTag));
    if (step->status)
        setMailStatus(QLatin1String(step->status));
    if (tag == QLatin1String("Connect"))
        sendLine("HELO " + ParseServerText(m_smtpServer).host.toUtf8());
    else if (tag == QLatin1String("Helo"))
        sendLine("MAIL FROM:<" + MailCompose::SingleLine(m_from).toUtf8() + '>');
    else if (tag == QLatin1String("Mail From"))
        sendLine("RCPT TO:<" + MailCompose::SingleLine(m_to).toUtf8() + '>');
    else if (tag == QLatin1String("Rcpt To"))
        sendLine("DATA");
    else if (tag == QLatin1String("Data"))
        sendMessage(*sendingRecord());
    else
        sendLine("QUIT");
}

void MailSender::sendLine(const QByteArray& line) {
    m_transport->sendData(line + "\r\n");
}

void MailSender::sendMessage(Record& record) {
    if (record.boundary.isEmpty()) {
        m_stream = std::make_unique<MailMessageStream>(
            MailCompose::PlainMessage(record.header, record.subject, record.body));
    } else {
        m_stream = std::make_unique<MailMessageStream>(
            MailCompose::MultipartHead(record.header, record.boundary, record.subject,
                                       record.body) +
                MailCompose::AttachmentPartHeader(record.boundary, record.attachmentPath),
            record.attachmentPath, MailCompose::MultipartTail(record.boundary));
    }
    if (!m_stream->open()) {
        m_services.console.ConsolePrint(QStringLiteral("SendMail: cannot open attachment ") +
                                        record.attachmentPath);
        failSending(QString::number(m_stream->errorNumber()), true);
        return;
    }
    pumpMessage();
}

void MailSender::pumpMessage() {
    while (m_stream && m_transport->pendingBytes() < kSendHighWater) {
        const QByteArray piece = m_stream->next();
        if (m_stream->errorNumber() != 0) {
            m_services.console.ConsolePrint(QStringLiteral("SendMail: attachment read error"));
            failSending(QString::number(m_stream->errorNumber()), true);
            return;
        }
        if (!piece.isEmpty())
            m_transport->sendData(piece);
        if (m_stream->atEnd())
            m_stream.reset();
    }
}

void MailSender::finishConversation() {
    if (!m_text6.startsWith(QLatin1String("ERR")))
        setText6(QStringLiteral("OK"));
    m_transport->close();
    m_timer1.stop();
    setTag(QString());
    m_replies.clear();
    QString attachment;
    QString failure;
    if (Record* record = sendingRecord()) {
        record->state = Done;
        attachment = record->attachmentPath;
        if (record->test)
            endTest(*record, m_text6 == QLatin1String("OK") ? QString() : m_text6);
        else if (m_text6.startsWith(QLatin1String("ERR")))
            failure = m_refusal.isEmpty() ? m_text6 : m_refusal;
    }
    m_refusal.clear();
    setMailStatus(QString());
    RemoveDoneRecords();
    emit mailFinished(attachment);
    if (!failure.isEmpty())
        emit mailFailed(failure);
    ExecSend();
}

// A time-out or a run-time error: the mail being sent fails, keeps its note and stays listed.
void MailSender::failSending(const QString& note, bool clearStatus) {
    m_timer1.stop();
    m_transport->close();
    m_stream.reset();
    m_replies.clear();
    setTag(QString());
    m_refusal.clear();
    QString attachment;
    bool failed = false;
    if (Record* record = sendingRecord()) {
        record->state = record->test ? Done : Failed; // a test is no mail to keep
        record->note = note;
        attachment = record->attachmentPath;
        failed = !record->test;
        if (record->test)
            endTest(*record, note);
    }
    if (clearStatus)
        setMailStatus(QString());
    RemoveDoneRecords();
    emit mailFinished(attachment);
    if (failed)
        emit mailFailed(note);
    ExecSend();
}

void MailSender::RemoveDoneRecords() {
    m_queue.removeIf([](const Record& r) { return r.state == Done; });
}

void MailSender::restartTimer1() {
    m_timer1.stop();
    m_timer1.start();
}

MailSender::Record* MailSender::sendingRecord() {
    for (Record& record : m_queue) {
        if (record.state == Sending)
            return &record;
    }
    return nullptr;
}

void MailSender::setMailStatus(const QString& text) {
    if (m_mailStatus == text)
        return;
    m_mailStatus = text;
    emit mailStatusChanged(text);
}

void MailSender::setText6(const QString& text) {
    if (m_text6 == text)
        return;
    m_text6 = text;
    emit text6Changed(text);
}
