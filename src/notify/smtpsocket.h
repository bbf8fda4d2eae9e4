#pragma once

#include "notify/smtptransport.h"

#include <QPointer>

class QTcpSocket;

// The real transport: one QTcpSocket per connection, on the GUI thread. A fresh socket for
// each connection keeps events of the old one (still queued) away from the new conversation.
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

private:
    void readAll();
    QPointer<QTcpSocket> m_socket;
};
