#pragma once

#include "platform/hosttransport.h"

#include <QList>
#include <QSet>

// Test backend: records what the program sends and lets a test play the host.
class FakeHostTransport final : public HostTransport {
public:
    struct Sent {
        QString host;
        QByteArray payload;
    };

    QString ownHandle() const override { return m_ownHandle; }
    bool registerClient() override;
    void unregisterClient() override { m_registered = false; }
    quint32 broadcastDiscover() override;
    void sendCommand(const QString& host, const QByteArray& payload) override;

    // Test controls.
    void setOwnHandle(const QString& handle) { m_ownHandle = handle; }
    void setConnected(bool connected) { m_connected = connected; }
    // Commands to these hosts come back failed, as to a host that has left the bus.
    void setHostGone(const QString& host, bool gone = true);
    bool isRegistered() const { return m_registered; }
    int discoverCount() const { return m_discovers; }
    const QList<Sent>& sent() const { return m_sent; }
    // The sent lines, each payload read up to its terminating zero byte.
    QStringList sentLines() const;
    void clearSent() { m_sent.clear(); }

    // The host side: attach results and line records, delivered as a host would.
    void attach(const QString& host, quint32 status);
    bool notify(const QString& sender, const QByteArray& payload);
    bool notifyLine(const QString& sender, const QString& line);

private:
    QString m_ownHandle = QStringLiteral(":1.7");
    bool m_connected = true;
    bool m_registered = false;
    int m_discovers = 0;
    QSet<QString> m_goneHosts;
    QList<Sent> m_sent;
};
