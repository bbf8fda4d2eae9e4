#pragma once

#include "attachmode.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QSet>
#include <QStringList>

class QDBusMessage;
class QDBusServiceWatcher;
class Simulator;

// The host as one user's client sees it: object /org/quenlark/Host on that user's bus. It answers
// discovery with Attach calls and takes Command calls from attached clients; everything it sends
// (Attach and Notify) goes out asynchronously, in order, after the call that caused it returned.
class HostEndpoint : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostControl1")

public:
    HostEndpoint(const QString& handle, const QString& address, Simulator* simulator,
                 QObject* parent = nullptr);
    ~HostEndpoint() override;

    bool open(QString* error);
    QString handle() const { return handle_; }
    QString address() const { return address_; }
    QString uniqueName() const;
    QStringList clients() const;
    bool isAttached(const QString& client) const { return attached_.contains(client); }

    void notifyAll(const QString& line);
    void notifyClient(const QString& client, const QString& line);
    // Delivers the bytes exactly as given (no terminator added) to every attached client, so
    // clients can be tried with payloads no well-behaved host sends; returns how many.
    int notifyRawAll(const QByteArray& payload);
    // Tells every attached client that the host went away (3) or came back (0x8001).
    void announceAvailability(bool available);

    static QString decodePayload(QByteArray payload);
    static QByteArray encodePayload(const QString& line);

public slots:
    Q_SCRIPTABLE uint Command(const QByteArray& payload);

private slots:
    void onDiscover(const QDBusMessage& message);
    void onClientGone(const QString& client);
    void flush();

private:
    struct Outgoing {
        QString client;
        bool isAttach;
        uint status;
        QString line;       // as the transcript shows it
        QByteArray payload; // what Notify carries
    };
    void answerDiscovery(const QString& client);
    void grant(const QString& client);
    void queue(const Outgoing& item);
    void send(const Outgoing& item);

    QString handle_;
    QString address_;
    QString connectionName_;
    Simulator* simulator_;
    QDBusConnection connection_;
    QDBusServiceWatcher* watcher_ = nullptr;
    QSet<QString> attached_;
    QSet<QString> pending_;
    bool available_ = true;
    QList<Outgoing> outbox_;
    bool flushScheduled_ = false;
};
