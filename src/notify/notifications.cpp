#include "notifications.h"

#include "base/services.h"
#include "host/hostlinerouter.h"
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/calltracker.h"
#include "notify/friendslist.h"
#include "notify/messagetracker.h"

Notifications::Notifications(Services& services, const NotifySwitches& switches,
                             std::function<void(const QString&)> sendCommand, QObject* parent)
    : QObject(parent), m_friends(std::make_unique<FriendsList>(sendCommand)),
      m_recipients(std::make_unique<BroadcastRecipients>(services.settings)),
      m_announceBack(
          std::make_unique<AnnounceBack>(services.settings, switches, *m_friends, sendCommand)),
      m_messages(std::make_unique<MessageTracker>(services.log, switches, *m_recipients,
                                                  *m_announceBack, sendCommand)),
      m_calls(
          std::make_unique<CallTracker>(switches, *m_recipients, *m_announceBack, sendCommand)) {}

Notifications::~Notifications() = default;

void Notifications::plugInto(HostLineRouter& router) {
    router.setTarget(HostLineRouter::Step::Friends, m_friends.get());
    router.setTarget(HostLineRouter::Step::Message, m_messages.get());
    router.setTarget(HostLineRouter::Step::Call, m_calls.get());
}

void Notifications::unplugFrom(HostLineRouter& router) {
    for (const auto step :
         {HostLineRouter::Step::Friends, HostLineRouter::Step::Message, HostLineRouter::Step::Call})
        router.setTarget(step, nullptr);
}
