#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QSet>

class QDBusMessage;
class QDBusServiceWatcher;

// The host side of the link on one bus: /org/quenlark/Host answers every Discover() with
// Attach(0) and hands each Command line on after the call has returned; lines go out to every
// attached client through Notify. Attach and Notify are sent without waiting for a reply.
class HostBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenlark.HostControl1")

public:
    explicit HostBus(const QString& address, QObject* parent = nullptr);
    ~HostBus() override;

    bool open(QString* error);
    QString uniqueName() const { return connection_.baseService(); }
    void notify(const QString& line);

    // The line a payload carries: cut at the first zero byte, empty when not UTF-8.
    static QString decodePayload(const QByteArray& payload);

public slots:
    Q_SCRIPTABLE uint Command(const QByteArray& payload);

signals:
    void attached(const QString& client);
    void commandReceived(const QString& line);

private slots:
    void onDiscover(const QDBusMessage& message);

private:
    QString connectionName_;
    QDBusConnection connection_;
    QDBusServiceWatcher* watcher_ = nullptr;
    QSet<QString> clients_;
};
