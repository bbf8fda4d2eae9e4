#pragma once

#include <QObject>

#include <functional>
#include <memory>

struct Services;
class AnnounceBack;
class BroadcastRecipients;
class CallTracker;
class FriendsList;
class HostLineRouter;
class MessageTracker;
class NotifySwitches;

// Every notification core, alive for the whole run and wired to one another: the friends
// list, the broadcast recipients, announce back, and the chat and call trackers. Their windows
// (FriendsForm, BroadCastStatusForm, AnnounceBackForm, MessageForm, CallForm) only show them.
class Notifications : public QObject {
    Q_OBJECT
public:
    // switches: the main window's state, read at the moment of use; sendCommand: the host
    // link's SendCommandToSkype.
    Notifications(Services& services, const NotifySwitches& switches,
                  std::function<void(const QString&)> sendCommand, QObject* parent = nullptr);
    ~Notifications() override;

    FriendsList& friends() { return *m_friends; }
    BroadcastRecipients& recipients() { return *m_recipients; }
    AnnounceBack& announceBack() { return *m_announceBack; }
    MessageTracker& messages() { return *m_messages; }
    CallTracker& calls() { return *m_calls; }

    // The friends list, the chat tracker and the call tracker take the router's steps 1, 3
    // and 4; unplug before the cores go.
    void plugInto(HostLineRouter& router);
    void unplugFrom(HostLineRouter& router);

private:
    std::unique_ptr<FriendsList> m_friends;
    std::unique_ptr<BroadcastRecipients> m_recipients;
    std::unique_ptr<AnnounceBack> m_announceBack;
    std::unique_ptr<MessageTracker> m_messages;
    std::unique_ptr<CallTracker> m_calls;
};
