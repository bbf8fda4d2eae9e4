#pragma once

#include <QObject>

class DesktopNotifier;
struct Services;

// The events a user wants to see while the window is hidden, as desktop notifications: a
// message was recorded, a call or a chat was reported, a mail failed. One switch, "Desktop
// notifications" (section "Main", on by default), turns them all off.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    DesktopNotifications(Services& services, DesktopNotifier& notifier, QObject* parent = nullptr);

    bool isEnabled() const;
    void setEnabled(bool on);

    // The answering machine saved a message of that many seconds from the caller; the
    // notification offers to open the list of messages.
    void messageRecorded(const QString& caller, int seconds);
    void callReported(const QString& caller);
    void chatReported(const QString& sender);
    // A mail could not be sent; the text is the server's (or the connection's) reason.
    void mailFailed(const QString& reason);

    static constexpr const char* kOpenMessagesAction = "open-messages";

signals:
    // The user clicked "Open messages" on a recorded-message notification.
    void openMessagesRequested();

private:
    void show(int summary, const QString& argument, const QString& body,
              const QString& actionKey = {}, int actionLabel = 0);

    Services& m_services;
    DesktopNotifier& m_notifier;
};
