// The mail sender's secured and authenticated conversation: the connection by the security
// setting, EHLO, STARTTLS and AUTH through SmtpLogin, and the Test button's trial.
#include "mailsender.h"

#include "base/debugconsole.h"
#include "base/languagepack.h"
#include "base/services.h"
#include "notify/mailcompose.h"
#include "notify/mailpassword.h"
#include "notify/smtptransport.h"

#include <QHostAddress>

namespace {

// The EHLO argument: the local address as an address literal, else the server's name.
QByteArray ehloName(const QString& localAddress, const QString& serverHost) {
    const QHostAddress address(localAddress);
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return '[' + address.toString().toLatin1() + ']';
    if (address.protocol() == QAbstractSocket::IPv6Protocol)
        return "[IPv6:" + address.toString().toLatin1() + ']';
    return serverHost.toUtf8();
}

} // namespace

void MailSender::connectTransport() {
    connect(m_transport.get(), &SmtpTransport::encrypted, this, &MailSender::encrypted);
    connect(m_transport.get(), &SmtpTransport::securityFailed, this, &MailSender::securityFailed);
}

void MailSender::Test() {
    Record record;
    record.sequence = m_nextSequence++;
    record.test = true;
    m_queue.append(record);
    ExecSend();
}

void MailSender::startConnection() {
    const SmtpServerAddress address = ParseServerText(m_smtpServer, DefaultPort(m_security));
    m_login.reset();
    if (const Record* record = sendingRecord(); record && record->test)
        setText6(QString()); // the outcome of this test, not of an earlier mail
    if (m_security == SmtpSecurity::Tls)
        m_transport->connectToServerEncrypted(address.host, address.port);
    else
        m_transport->connectToServer(address.host, address.port);
}

// Replies the plain conversation does not know: true when handled here.
bool MailSender::handleLoginReply(const SmtpReplyReader::Reply& reply) {
    const QString& tag = m_tag;
    if (tag == QLatin1String("Connect") && reply.code == "220") {
        // The account as it is now: a password read from the secret store meanwhile counts.
        SmtpLogin::Account account{
            m_security, ehloName(m_transport->localAddress(), ParseServerText(m_smtpServer).host),
            m_user.trimmed(), m_password->password()};
        if (!SmtpLogin::isPlain(account)) {
            m_login = std::make_unique<SmtpLogin>(std::move(account));
            applyLoginStep(m_login->greeted());
            return true;
        }
    }
    if (m_login && SmtpLogin::owns(tag)) {
        applyLoginStep(m_login->reply(tag, reply));
        return true;
    }
    const Record* record = sendingRecord();
    if (tag == QLatin1String("Helo") && reply.code == "250" && record && record->test) {
        loggedIn();
        return true;
    }
    return false;
}

void MailSender::applyLoginStep(const SmtpLogin::Step& step) {
    switch (step.next) {
    case SmtpLogin::Next::Send:
        setTag(step.tag);
        if (!step.status.isEmpty())
            setMailStatus(step.status);
        sendLine(step.line);
        break;
    case SmtpLogin::Next::StartTls:
        setTag(step.tag);
        setMailStatus(step.status);
        m_replies.clear(); // nothing received in plain text may count after the handshake
        m_transport->startEncryption();
        break;
    case SmtpLogin::Next::Ready:
        loggedIn();
        break;
    case SmtpLogin::Next::Fail:
        setText6(QStringLiteral("ERR : ") + step.error);
        m_refusal = step.error;
        setTag(QStringLiteral("Quit"));
        setMailStatus(QStringLiteral("Sending QUIT"));
        sendLine("QUIT");
        break;
    }
}

// Greeted, secured and logged in as the settings ask: the envelope follows, or for a test
// the polite end.
void MailSender::loggedIn() {
    Record* record = sendingRecord();
    if (record && record->test) {
        // What the test reached, said while the connection still knows its protocol.
        QStringList done{SecurityText(m_security)};
        if (const QString protocol = m_transport->protocolName(); !protocol.isEmpty())
            done.last() += QStringLiteral(" (") + protocol + u')';
        if (m_login && !m_login->mechanism().isEmpty())
            done << QStringLiteral("AUTH ") + m_login->mechanism();
        record->note = done.join(QStringLiteral(", "));
        setTag(QStringLiteral("Quit"));
        setMailStatus(QStringLiteral("Sending QUIT"));
        sendLine("QUIT");
        return;
    }
    setTag(QStringLiteral("Mail From"));
    setMailStatus(QStringLiteral("Sending FROM"));
    sendLine("MAIL FROM:<" + MailCompose::SingleLine(m_from).toUtf8() + '>');
}

void MailSender::encrypted() {
    // Implicit TLS is encrypted before the greeting; only STARTTLS waits for this.
    if (m_login && m_tag == QLatin1String("TLS"))
        applyLoginStep(m_login->encrypted());
}

// The certificate or the handshake failed: the connection is gone, nothing was sent.
void MailSender::securityFailed(const QString& text) {
    if (!sendingRecord())
        return;
    const QString error = QStringLiteral("TLS ") + text;
    m_services.console.ConsolePrint(QStringLiteral("SendMail: ") + error);
    setText6(QStringLiteral("ERR : ") + error);
    setMailStatus(QStringLiteral("TLS failed")); // the next mail, if any, shows its own
    failSending(error, false);
}

void MailSender::endTest(const Record& record, const QString& failure) {
    if (failure.isEmpty())
        emit testFinished(true, m_services.language.GetLanguageString(906).arg(record.note));
    else
        emit testFinished(false, m_services.language.GetLanguageString(907).arg(failure));
}
