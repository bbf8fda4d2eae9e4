#include "sipaddress.h"

#include <QFile>
#include <QRegularExpression>

namespace {
// A handle may carry what a SIP user@host:port does, and nothing that could split a line.
bool isUsableHandle(const QString& handle) {
    static const QRegularExpression allowed(
        QStringLiteral("^[A-Za-z0-9._~+\\-!$%*'=&@:\\[\\]]{1,200}$"));
    return allowed.match(handle).hasMatch() && !handle.startsWith(QLatin1Char('@'));
}

// Anything outside printable ASCII is percent-encoded, so a hostile URI stays one word.
QString printableWord(const QString& text) {
    QString word;
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7f)
            word.append(QLatin1Char(c));
        else
            word.append(QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
    }
    return word.left(256);
}
} // namespace

QString bareAddress(const QString& uri) {
    QString address = uri.trimmed();
    if (address.startsWith(QLatin1Char('<')))
        address = address.mid(1, address.indexOf(QLatin1Char('>')) - 1);
    if (address.startsWith(QLatin1String("sip:"), Qt::CaseInsensitive))
        address = address.mid(4);
    const qsizetype params = address.indexOf(QLatin1Char(';'));
    return params < 0 ? address : address.left(params);
}

SipAddressBook::SipAddressBook(const QString& accountUri) {
    const QString address = bareAddress(accountUri);
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    user_ = at < 0 ? QString() : address.left(at);
    domain_ = at < 0 ? address : address.mid(at + 1);
}

bool SipAddressBook::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).section(QLatin1Char('#'), 0, 0);
        const QStringList words =
            line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (words.size() == 2 && isUsableHandle(words[0]))
            add(words[0], words[1]);
    }
    return true;
}

void SipAddressBook::add(const QString& handle, const QString& uri) {
    byHandle_.insert(handle, QStringLiteral("sip:") + bareAddress(uri));
    byUri_.insert(bareAddress(uri).toLower(), handle);
}

QStringList SipAddressBook::handles() const {
    QStringList list = byHandle_.keys();
    list.sort();
    return list;
}

QString SipAddressBook::uriFor(const QString& handle) const {
    if (byHandle_.contains(handle))
        return byHandle_.value(handle);
    const QString address = bareAddress(handle);
    if (!isUsableHandle(address))
        return {};
    if (address.contains(QLatin1Char('@')))
        return QStringLiteral("sip:") + address;
    return domain_.isEmpty() ? QString() : QStringLiteral("sip:%1@%2").arg(address, domain_);
}

QString SipAddressBook::handleFor(const QString& uri) const {
    const QString address = bareAddress(uri);
    if (const auto found = byUri_.constFind(address.toLower()); found != byUri_.constEnd())
        return found.value();
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at > 0 && address.mid(at + 1).compare(domain_, Qt::CaseInsensitive) == 0)
        return printableWord(address.left(at));
    return printableWord(address.isEmpty() ? QStringLiteral("unknown") : address);
}
