#pragma once

#include "hostlinerouter.h"
#include "platform/hosttransport.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>

#include <optional>

struct Services;

// What the main window does for the link: the attach follow-up, the received-line counter
// and the pong flag of the supervision.
class HostLinkOwner {
public:
    virtual ~HostLinkOwner() = default;
    virtual void ConnectFunc() = 0;
    virtual void IncResponseCounter() = 0;
    virtual void setPongFlag(bool set) = 0;
};

// SkypeAPIHandler: the host link, a QObject over a D-Bus HostTransport (no window messages).
// Discovery, attach, sending command lines, receiving reply and notification lines and
// handing them to the router. All bus traffic goes through the platform transport; this
// class only keeps the rules.
class SkypeAPIHandler final : public QObject, public HostTransportReceiver {
    Q_OBJECT
public:
    SkypeAPIHandler(Services& services, HostTransport& transport, const RoutingState& state,
                    QObject* parent = nullptr);
    ~SkypeAPIHandler() override;

    void setOwner(HostLinkOwner* owner) { m_owner = owner; }
    HostLineRouter& router() { return m_router; }
    HostTransport& transport() { return m_transport; }

    // Makes the client object reachable for hosts; Unregister withdraws it at shut-down.
    bool Register();
    void Unregister();
    // The supervision period: one PING, or one discovery, per tick of the main window's timer.
    static constexpr int kSupervisionMs = 10000;
    // Asks every host on the bus to attach; 0 when the broadcast could not go out.
    quint32 ConnectToSkype();
    // The supervision's discovery: at most one broadcast per supervision period. When one went
    // out in this period already (for whatever reason), the request is left to the next tick.
    void discoverWhenDue();
    // A regular supervision tick: the period that allows the next discovery begins.
    void beginSupervisionPeriod() { m_newPeriod = true; }
    // Sends one line to the attached host without waiting; a failure is only logged.
    void SendCommandToSkype(const QString& line);
    // The router: every received line goes to the windows in their fixed order.
    void SkypeResponseHandler(QString& line);

    // The attached host's handle (its unique bus name); empty until the first attach and
    // never cleared, so sends after the host has gone fail until it attaches again.
    const QString& hostHandle() const { return m_hostHandle; }

    // "AutoAnswerForm" or "RecordingForm": the window that gets the next completion notice.
    const QString& MCINotifyTarget() const { return m_mciNotifyTarget; }
    void setMCINotifyTarget(const QString& name) { m_mciNotifyTarget = name; }
    void setMciNotifyHandler(const QString& name, MciNotifyHandler* handler);

    // The wire form of a line: UTF-8 and one zero byte.
    static QByteArray encodeLine(const QString& line);
    // The line a record carries: the bytes up to the first zero byte (or all of them);
    // nothing when those bytes are not UTF-8.
    static std::optional<QString> decodePayload(const QByteArray& payload);

    // HostTransportReceiver
    void onAttach(const QString& host, quint32 status) override;
    bool onNotify(const QString& sender, const QByteArray& payload) override;
    void onCommandFailed(const QString& host) override;

public slots:
    // An MCI command finished: the notice goes to the window MCINotifyTarget names.
    void onMciNotify();

private:
    void attachSequence(const QString& host);

    Services& m_services;
    HostTransport& m_transport;
    HostLineRouter m_router;
    HostLinkOwner* m_owner = nullptr;
    QString m_hostHandle;
    QString m_mciNotifyTarget;
    QHash<QString, MciNotifyHandler*> m_mciHandlers;
    QElapsedTimer m_lastDiscovery; // monotonic, since the last broadcast that went out
    bool m_newPeriod = true;
};
