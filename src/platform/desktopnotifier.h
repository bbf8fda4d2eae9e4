#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>

class QDBusPendingCallWatcher;

// Desktop notifications through the notification server of the session bus
// (org.freedesktop.Notifications). Fire and forget: calls are asynchronous, and without a
// server nothing is shown and nothing fails. The first notification asks the server what it
// can do; a server that reads markup in the body gets the body escaped, so a text from a
// remote user shows as written.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifier(const QDBusConnection& bus, QObject* parent = nullptr);

    // Shows one notification. With an action key, the notification offers the action under
    // actionLabel, and a click on it emits actionInvoked(actionKey).
    void notify(const QString& summary, const QString& body, const QString& actionKey = {},
                const QString& actionLabel = {});

    // Bodies longer than this are cut (with "...").
    static constexpr int kMaxBody = 240;

signals:
    void actionInvoked(const QString& actionKey);

private slots:
    void onActionInvoked(uint id, const QString& actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    struct Note {
        QString summary;
        QString body;
        QString actionKey;
        QString actionLabel;
    };
    void askCapabilities();
    void capabilitiesArrived(QDBusPendingCallWatcher* watcher);
    void send(const Note& note);

    QDBusConnection m_bus;
    enum class Server { Unknown, Asking, Known } m_server = Server::Unknown;
    bool m_markup = false;
    bool m_actions = false;
    QList<Note> m_waiting;
    // Our notifications on screen that carry an action: id -> action key.
    QHash<uint, QString> m_actionKeys;
};
