#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The TCP client the mail conversation talks through: connect, send, close, and events for
// received data and for written data leaving the send buffer. A transport that can encrypt
// overrides the TLS calls; the others report that they cannot.
class SmtpTransport : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool isClosed() const = 0;
    // Drops the connection and anything still unsent.
    virtual void close() = 0;
    // Starts connecting; success or failure shows only in later events.
    virtual void connectToServer(const QString& host, quint16 port) = 0;
    virtual void sendData(const QByteArray& data) = 0;
    // Bytes handed to sendData that have not reached the network yet.
    virtual qint64 pendingBytes() const = 0;

    // Implicit TLS: the server's certificate is checked before its greeting can arrive.
    virtual void connectToServerEncrypted(const QString& host, quint16 port) {
        connectToServer(host, port);
        emit securityFailed(QStringLiteral("this link cannot encrypt"));
    }
    // STARTTLS: the open connection turns encrypted; encrypted() follows.
    virtual void startEncryption() {
        emit securityFailed(QStringLiteral("this link cannot encrypt"));
    }
    // The local end's address ("192.0.2.1", "2001:db8::1"), or empty when unknown.
    virtual QString localAddress() const { return {}; }
    // The protocol of an encrypted connection ("TLSv1.3"), or empty.
    virtual QString protocolName() const { return {}; }

signals:
    void dataArrived(const QByteArray& data);
    void drained();
    void transportError(const QString& text);
    void encrypted();
    // The connection could not be protected (certificate, host name, handshake) and is gone.
    void securityFailed(const QString& text);
};
