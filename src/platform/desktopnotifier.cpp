#include "desktopnotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <utility>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage call(const QString& method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}
} // namespace

DesktopNotifier::DesktopNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

void DesktopNotifier::notify(const QString& summary, const QString& body, const QString& actionKey,
                             const QString& actionLabel) {
    if (!m_bus.isConnected())
        return;
    QString text = body;
    if (text.size() > kMaxBody)
        text = text.left(kMaxBody - 3) + QStringLiteral("...");
    const Note note{summary, text, actionKey, actionLabel};
    if (m_server == Server::Known) {
        send(note);
        return;
    }
    m_waiting.append(note);
    if (m_server == Server::Unknown)
        askCapabilities();
}

void DesktopNotifier::askCapabilities() {
    m_server = Server::Asking;
    auto* watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(call(QStringLiteral("GetCapabilities")), 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            &DesktopNotifier::capabilitiesArrived);
}

void DesktopNotifier::capabilitiesArrived(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    const QDBusPendingReply<QStringList> reply = *watcher;
    const QList<Note> waiting = std::exchange(m_waiting, {});
    if (reply.isError()) {
        // No server (yet): these notes are dropped; the next one asks again.
        m_server = Server::Unknown;
        return;
    }
    const QStringList capabilities = reply.value();
    m_markup = capabilities.contains(QStringLiteral("body-markup"));
    m_actions = capabilities.contains(QStringLiteral("actions"));
    m_server = Server::Known;
    for (const Note& note : waiting)
        send(note);
}

void DesktopNotifier::send(const Note& note) {
    QStringList actions;
    if (m_actions && !note.actionKey.isEmpty())
        actions << note.actionKey << note.actionLabel;
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.quenlark.Quenlark"));
    QDBusMessage message = call(QStringLiteral("Notify"));
    message << QStringLiteral("Quenlark") << 0u << QStringLiteral("org.quenlark.Quenlark")
            << note.summary << (m_markup ? note.body.toHtmlEscaped() : note.body) << actions
            << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, 5000), this);
    const QString actionKey = actions.isEmpty() ? QString() : note.actionKey;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, actionKey](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    m_server = Server::Unknown; // gone: ask again before the next one
                    return;
                }
                if (!actionKey.isEmpty())
                    m_actionKeys.insert(reply.value(), actionKey);
            });
}

void DesktopNotifier::onActionInvoked(uint id, const QString& actionKey) {
    // Only our own notifications, and only the action they offered.
    if (m_actionKeys.value(id) == actionKey && !actionKey.isEmpty())
        emit actionInvoked(actionKey);
}

void DesktopNotifier::onNotificationClosed(uint id, uint /*reason*/) {
    m_actionKeys.remove(id);
}
