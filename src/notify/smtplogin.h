#pragma once

#include "notify/smtpprotocol.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// How the connection to the mail server is protected: not at all (port 25), upgraded with
// STARTTLS after the greeting (port 587), or TLS from the first byte (port 465).
enum class SmtpSecurity { None, StartTls, Tls };

// The setting's texts "None", "STARTTLS" and "TLS" (or "SSL"), in any case; anything else,
// a missing key included, reads as None.
SmtpSecurity ParseSecurity(const QString& text);
QString SecurityText(SmtpSecurity security);
quint16 DefaultPort(SmtpSecurity security);

// The part of the conversation between the server's greeting and "MAIL FROM" when security
// or authentication is on: EHLO, STARTTLS and EHLO again, then AUTH PLAIN or AUTH LOGIN as the
// server offers them. It only decides; the mail sender sends and reads.
class SmtpLogin {
public:
    struct Account {
        SmtpSecurity security = SmtpSecurity::None;
        QByteArray ehloName; // the client's name or address literal
        QString user;        // empty: no authentication
        QString password;
    };
    enum class Next { Send, StartTls, Ready, Fail };
    struct Step {
        Next next = Next::Send;
        QByteArray line; // Send: the command without CRLF
        QString tag;     // the conversation state that follows
        QString status;  // text for MailStatusLabel; empty keeps it
        QString error;   // Fail: why, for "ERR : " + error
    };

    // The plain conversation (HELO, no AUTH) is enough for this account.
    static bool isPlain(const Account& account);

    explicit SmtpLogin(Account account) : m_account(std::move(account)) {}

    // The greeting arrived: say EHLO.
    Step greeted();
    // A whole reply in one of this part's states.
    Step reply(const QString& tag, const SmtpReplyReader::Reply& reply);
    // The STARTTLS handshake finished: EHLO again, now encrypted.
    Step encrypted();
    // The tag is one of this part's states.
    static bool owns(const QString& tag);
    // The authentication mechanism used, or empty.
    const QString& mechanism() const { return m_mechanism; }

private:
    Step afterEhlo(const SmtpReplyReader::Reply& reply);
    Step authenticate(const QStringList& offered);
    Step refused(const SmtpReplyReader::Reply& reply) const;

    Account m_account;
    bool m_encrypted = false;
    QString m_mechanism;
};

// The text lines of a reply without codes and separators: "250-STARTTLS" gives "STARTTLS".
QStringList ReplyTexts(const QByteArray& lines);
