#pragma once

#include <QHash>
#include <QString>

// Handles on the link are single words; SIP has URIs. The account's own domain (host[:port] of
// its address) lets a bare user name stand for a URI, an address book names any other one.
class SipAddressBook {
public:
    explicit SipAddressBook(const QString& accountUri = QString());

    // Lines "handle sip:uri" ('#' starts a comment); returns false when the file cannot be read.
    bool load(const QString& path, QString* error);
    void add(const QString& handle, const QString& uri);

    QString accountUser() const { return user_; }
    QStringList handles() const;

    // The URI to dial for a handle, empty when the handle is not a usable address.
    QString uriFor(const QString& handle) const;
    // The handle a peer's URI shows as: a book entry, the user part within the account's
    // domain, else user@host[:port]; always one printable word.
    QString handleFor(const QString& uri) const;

private:
    QString user_;
    QString domain_;
    QHash<QString, QString> byHandle_;
    QHash<QString, QString> byUri_;
};

// "sip:bob@example.org:5060;transport=udp" -> "bob@example.org:5060" (scheme and params gone).
QString bareAddress(const QString& uri);
