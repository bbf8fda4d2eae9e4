#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// What the host link does with the traffic a transport receives. Implemented by the
// SkypeAPIHandler; the transport calls it on the GUI thread.
class HostTransportReceiver {
public:
    virtual ~HostTransportReceiver() = default;
    // A host reported the result of an attach request; host is its handle (bus name).
    virtual void onAttach(const QString& host, quint32 status) = 0;
    // A host delivered one line record; true when it was read (sender is the attached host).
    virtual bool onNotify(const QString& sender, const QByteArray& payload) = 0;
    // A command came back with an error, a time-out or a zero result.
    virtual void onCommandFailed(const QString& host) = 0;
};

// The link to the host on the platform: D-Bus interface "org.quenlark.HostControl1", the
// client object "/org/quenlark/Client" (Attach, Notify, signal Discover) and the host object
// "/org/quenlark/Host" (Command). docs/host-link.md describes it for host writers.
class HostTransport {
public:
    static constexpr const char* kInterface = "org.quenlark.HostControl1";
    static constexpr const char* kClientPath = "/org/quenlark/Client";
    static constexpr const char* kHostPath = "/org/quenlark/Host";
    // A hung host never holds a command longer than this.
    static constexpr int kCommandTimeoutMs = 3000;

    virtual ~HostTransport() = default;

    void setReceiver(HostTransportReceiver* receiver) { m_receiver = receiver; }
    HostTransportReceiver* receiver() const { return m_receiver; }

    // Our own handle as hosts see it (the unique bus name); empty without a bus.
    virtual QString ownHandle() const = 0;
    // Exports the client object so hosts can attach and deliver lines.
    virtual bool registerClient() = 0;
    virtual void unregisterClient() = 0;
    // Broadcasts Discover(); non-zero when the signal went out, 0 without a bus connection.
    virtual quint32 broadcastDiscover() = 0;
    // Sends one payload to the host's Command method without waiting. Commands to one host
    // keep their order; failures come back through onCommandFailed.
    virtual void sendCommand(const QString& host, const QByteArray& payload) = 0;

private:
    HostTransportReceiver* m_receiver = nullptr;
};
