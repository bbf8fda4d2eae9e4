#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The TCP client the mail conversation talks through: connect, send, close, and events for
// received data and for written data leaving the send buffer.
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

signals:
    void dataArrived(const QByteArray& data);
    void drained();
    void transportError(const QString& text);
};
