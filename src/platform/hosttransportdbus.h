#pragma once

#include "hosttransport.h"

#include <QDBusConnection>
#include <QObject>

#include <memory>

class HostClientObject;

// The real backend on a D-Bus connection (the session bus unless one is given).
class DBusHostTransport final : public QObject, public HostTransport {
    Q_OBJECT
public:
    explicit DBusHostTransport(QObject* parent = nullptr);
    DBusHostTransport(const QDBusConnection& connection, QObject* parent = nullptr);
    ~DBusHostTransport() override;

    QString ownHandle() const override;
    bool registerClient() override;
    void unregisterClient() override;
    quint32 broadcastDiscover() override;
    void sendCommand(const QString& host, const QByteArray& payload) override;

    int commandTimeoutMs() const { return m_timeoutMs; }
    void setCommandTimeoutMs(int ms) { m_timeoutMs = ms; }

private:
    QDBusConnection m_connection;
    std::unique_ptr<HostClientObject> m_clientObject;
    bool m_registered = false;
    int m_timeoutMs = kCommandTimeoutMs;
};
