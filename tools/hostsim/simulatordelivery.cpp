// The receiving end of chats between users, through the delivery rules of ChatDelivery.
#include "simulator.h"

#include <QTimer>

void Simulator::routeChat(const SimMessage& message) {
    int delayMs = 0;
    const ChatDelivery::Fate fate = delivery_.decide(message.from, message.to, &delayMs);
    const uint id = message.id;
    emit chatRouted(id, message.from, message.to, message.body, ChatDelivery::fateName(fate));
    switch (fate) {
    case ChatDelivery::Fate::Delivered:
        deliverChat(id);
        break;
    case ChatDelivery::Fate::Held:
        delivery_.keep(message.from, message.to, id);
        break;
    case ChatDelivery::Fate::Dropped:
        break;
    case ChatDelivery::Fate::Duplicated: {
        deliverChat(id);
        // The copy is a message of its own, as a sender's resend would be.
        const SimMessage& copy =
            world_.addMessage(message.from, message.to, message.body, QDateTime::currentDateTime());
        deliverChat(copy.id);
        break;
    }
    case ChatDelivery::Fate::Delayed:
        QTimer::singleShot(delayMs, this, [this, id] { deliverChat(id); });
        break;
    }
}

void Simulator::deliverChat(uint id) {
    if (const SimMessage* message = world_.message(id))
        notify(message->to,
               QStringLiteral("%1 %2 STATUS RECEIVED").arg(messageKind(message->to)).arg(id));
}

uint Simulator::releaseChats(const QString& from, const QString& to) {
    const std::vector<ChatDelivery::HeldChat> released = delivery_.release(from, to);
    for (const ChatDelivery::HeldChat& chat : released)
        deliverChat(chat.id);
    return uint(released.size());
}
