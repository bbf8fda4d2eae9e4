#include "smtplogin.h"

namespace {

const QString kEhlo = QStringLiteral("Ehlo");
const QString kStartTls = QStringLiteral("StartTLS");
const QString kHandshake = QStringLiteral("TLS");
const QString kAuth = QStringLiteral("Auth");
const QString kAuthUser = QStringLiteral("Auth User");
const QString kAuthPass = QStringLiteral("Auth Pass");

SmtpLogin::Step send(const QByteArray& line, const QString& tag, const QString& status = {}) {
    return {SmtpLogin::Next::Send, line, tag, status, {}};
}

SmtpLogin::Step fail(const QString& error) {
    return {SmtpLogin::Next::Fail, {}, {}, {}, error};
}

QByteArray base64(const QString& text) {
    return text.toUtf8().toBase64();
}

// The server's words as they may be shown: printable characters only, and not too many.
QString shownText(const QString& text) {
    QString shown;
    for (const QChar c : text.left(200))
        shown += c.isPrint() ? c : u' ';
    return shown.trimmed();
}

} // namespace

SmtpSecurity ParseSecurity(const QString& text) {
    const QString upper = text.trimmed().toUpper();
    if (upper == QLatin1String("STARTTLS"))
        return SmtpSecurity::StartTls;
    if (upper == QLatin1String("TLS") || upper == QLatin1String("SSL"))
        return SmtpSecurity::Tls;
    return SmtpSecurity::None;
}

QString SecurityText(SmtpSecurity security) {
    switch (security) {
    case SmtpSecurity::StartTls:
        return QStringLiteral("STARTTLS");
    case SmtpSecurity::Tls:
        return QStringLiteral("TLS");
    case SmtpSecurity::None:
        break;
    }
    return QStringLiteral("None");
}

quint16 DefaultPort(SmtpSecurity security) {
    switch (security) {
    case SmtpSecurity::StartTls:
        return 587;
    case SmtpSecurity::Tls:
        return 465;
    case SmtpSecurity::None:
        break;
    }
    return 25;
}

QStringList ReplyTexts(const QByteArray& lines) {
    QStringList texts;
    for (QByteArray line : lines.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > 4)
            texts << QString::fromUtf8(line.mid(4)).trimmed();
    }
    return texts;
}

bool SmtpLogin::isPlain(const Account& account) {
    return account.security == SmtpSecurity::None && account.user.isEmpty();
}

bool SmtpLogin::owns(const QString& tag) {
    return tag == kEhlo || tag == kStartTls || tag == kHandshake || tag.startsWith(kAuth);
}

SmtpLogin::Step SmtpLogin::greeted() {
    return send("EHLO " + m_account.ehloName, kEhlo, QStringLiteral("Sending EHLO"));
}

SmtpLogin::Step SmtpLogin::encrypted() {
    m_encrypted = true;
    return greeted();
}

SmtpLogin::Step SmtpLogin::reply(const QString& tag, const SmtpReplyReader::Reply& reply) {
    if (tag == kEhlo)
        return reply.code == "250" ? afterEhlo(reply) : refused(reply);
    if (tag == kStartTls) {
        if (reply.code != "220")
            return refused(reply);
        return {Next::StartTls, {}, kHandshake, QStringLiteral("Starting TLS"), {}};
    }
    if (tag == kAuth || tag == kAuthPass)
        return reply.code == "235" ? Step{Next::Ready, {}, {}, {}, {}} : refused(reply);
    if (tag == kAuthUser && reply.code == "334")
        return send(base64(m_account.password), kAuthPass);
    if (tag == QLatin1String("Auth Login") && reply.code == "334")
        return send(base64(m_account.user), kAuthUser);
    return refused(reply);
}

SmtpLogin::Step SmtpLogin::afterEhlo(const SmtpReplyReader::Reply& reply) {
    const QStringList texts = ReplyTexts(reply.lines);
    if (m_account.security == SmtpSecurity::StartTls && !m_encrypted) {
        if (!texts.contains(QStringLiteral("STARTTLS"), Qt::CaseInsensitive))
            return fail(QStringLiteral("the server offers no STARTTLS"));
        return send("STARTTLS", kStartTls, QStringLiteral("Sending STARTTLS"));
    }
    if (m_account.user.isEmpty())
        return {Next::Ready, {}, {}, {}, {}};
    QStringList offered;
    for (const QString& text : texts) {
        // "AUTH PLAIN LOGIN", and the old form "AUTH=LOGIN".
        if (text.startsWith(QLatin1String("AUTH"), Qt::CaseInsensitive) && text.size() > 4 &&
            (text[4] == u' ' || text[4] == u'='))
            offered << text.mid(5).toUpper().split(u' ', Qt::SkipEmptyParts);
    }
    return authenticate(offered);
}

SmtpLogin::Step SmtpLogin::authenticate(const QStringList& offered) {
    const QString status = QStringLiteral("Sending AUTH");
    if (offered.contains(QStringLiteral("PLAIN"))) {
        m_mechanism = QStringLiteral("PLAIN");
        const QString credentials = QChar(0) + m_account.user + QChar(0) + m_account.password;
        return send("AUTH PLAIN " + base64(credentials), kAuth, status);
    }
    if (offered.contains(QStringLiteral("LOGIN"))) {
        m_mechanism = QStringLiteral("LOGIN");
        return send("AUTH LOGIN", QStringLiteral("Auth Login"), status);
    }
    return fail(QStringLiteral("the server offers no AUTH PLAIN or LOGIN"));
}

// The server's code and its own words, so a refused login says why.
SmtpLogin::Step SmtpLogin::refused(const SmtpReplyReader::Reply& reply) const {
    const QStringList texts = ReplyTexts(reply.lines);
    QString error = QString::fromLatin1(reply.code);
    if (!texts.isEmpty() && !texts.last().isEmpty())
        error += u' ' + shownText(texts.last());
    return fail(error);
}
