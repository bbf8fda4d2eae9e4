#pragma once

#include "notify/smtptransport.h"

#include <QPointer>

class QSslSocket;

// The real transport: one QSslSocket per connection, on the GUI thread, plain until asked to
// encrypt. The server's certificate is checked against the system's authorities and the host
// name; a failure drops the connection. A fresh socket for each connection keeps events of the
// old one (still queued) away from the new conversation.
class SmtpSocket final : public SmtpTransport {
    Q_OBJECT
public:
    using SmtpTransport::SmtpTransport;
    ~SmtpSocket() override;

    bool isClosed() const override;
    void close() override;
    void connectToServer(const QString& host, quint16 port) override;
    void sendData(const QByteArray& data) override;
    qint64 pendingBytes() const override;
    void connectToServerEncrypted(const QString& host, quint16 port) override;
    void startEncryption() override;
    QString localAddress() const override;
    QString protocolName() const override;

private:
    void newSocket();
    void readAll();
    QPointer<QSslSocket> m_socket;
    QString m_sslErrors; // the certificate's faults, reported when the handshake fails
};
