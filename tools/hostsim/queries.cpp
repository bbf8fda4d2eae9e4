// The GET commands of the command interpreter.
#include "interpreter.h"

#include "simulator.h"
#include "userdetails.h"

namespace {

QString upperWord(const QStringList& words, int i) {
    return i < words.size() ? words[i].toUpper() : QString();
}

QString propertyLine(const QStringList& words, const QString& value) {
    // "GET USER bob FULLNAME" answers "USER bob FULLNAME <value>".
    return QStringList{words[1].toUpper(), words[2], words[3].toUpper(), value}.join(
        QLatin1Char(' '));
}

} // namespace

QStringList CommandInterpreter::get(const QStringList& words) {
    const QString what = upperWord(words, 1);
    const SimUser* self = simulator_.world().user(user_);
    if (what == QLatin1String("CURRENTUSERHANDLE"))
        return {QStringLiteral("CURRENTUSERHANDLE ") + user_};
    if (what == QLatin1String("USERSTATUS"))
        return {QStringLiteral("USERSTATUS ") + (self ? self->status : QStringLiteral("ONLINE"))};
    if (what == QLatin1String("CONNSTATUS"))
        return {QStringLiteral("CONNSTATUS ONLINE")};
    if (what == QLatin1String("AUDIO_IN"))
        return {QStringLiteral("AUDIO_IN ") + simulator_.settings().audioIn};
    if (what == QLatin1String("AUDIO_OUT"))
        return {QStringLiteral("AUDIO_OUT ") + simulator_.settings().audioOut};
    if (what == QLatin1String("SKYPEVERSION"))
        return {QStringLiteral("SKYPEVERSION " QUENLARK_VERSION ".hostsim")};
    if (what == QLatin1String("USER"))
        return {getUser(words)};
    if (what == QLatin1String("CALL"))
        return {getCall(words)};
    if (what == QLatin1String("CHATMESSAGE") || what == QLatin1String("MESSAGE"))
        return {getMessage(words)};
    return {error(7, QStringLiteral("GET: invalid WHAT"))};
}

QString CommandInterpreter::getUser(const QStringList& asked) {
    if (asked.size() < 3 || asked[2].isEmpty())
        return error(8, QStringLiteral("Invalid user handle"));
    if (asked.size() != 4)
        return error(10, QStringLiteral("Invalid property"));
    // A host finds its users in any letter case and answers with their own spelling.
    const SimUser* user = lookupUser(simulator_.world(), asked[2]);
    QStringList words = asked;
    if (user)
        words[2] = user->handle;
    const QString handle = words[2];
    const QString property = upperWord(words, 3);
    const SimUser* self = simulator_.world().user(user_);
    simulator_.watch(user_, handle); // its status changes are reported from now on
    // A handle the host does not know has empty details and the status UNKNOWN.
    if (property == QLatin1String("HANDLE"))
        return propertyLine(words, handle);
    if (property == QLatin1String("FULLNAME"))
        return propertyLine(words, user ? user->fullName : QString());
    if (property == QLatin1String("COUNTRY"))
        return propertyLine(words, user ? user->country : QString());
    if (property == QLatin1String("ONLINESTATUS"))
        return propertyLine(words, user ? user->status : QStringLiteral("UNKNOWN"));
    if (property == QLatin1String("LASTONLINETIMESTAMP"))
        return propertyLine(words, QString::number(user ? user->lastOnline : 0));
    if (property == QLatin1String("BUDDYSTATUS")) {
        const bool isFriend = self && self->friends.contains(handle);
        return propertyLine(words, isFriend ? QStringLiteral("3") : QStringLiteral("1"));
    }
    return error(10, QStringLiteral("Invalid property"));
}

QString CommandInterpreter::getCall(const QStringList& words) {
    bool ok = false;
    const uint id = words.value(2).toUInt(&ok);
    const SimCall* call = ok ? simulator_.world().call(id) : nullptr;
    if (!call || !call->involves(user_))
        return error(11, QStringLiteral("Invalid call id"));
    const QString property = upperWord(words, 3);
    const QString partner = call->partnerOf(user_);
    if (words.size() != 4)
        return error(10, QStringLiteral("Invalid property"));
    if (property == QLatin1String("STATUS"))
        return propertyLine(words, call->statusFor(user_));
    if (property == QLatin1String("PARTNER_HANDLE"))
        return propertyLine(words, partner);
    if (property == QLatin1String("PARTNER_DISPNAME")) {
        const SimUser* other = simulator_.world().user(partner);
        return propertyLine(words, other ? other->fullName : partner);
    }
    if (property == QLatin1String("TYPE"))
        return propertyLine(words, user_ == call->caller ? QStringLiteral("OUTGOING_P2P")
                                                         : QStringLiteral("INCOMING_P2P"));
    if (property == QLatin1String("TIMESTAMP"))
        return propertyLine(words, QString::number(call->placed.toSecsSinceEpoch()));
    if (property == QLatin1String("DURATION")) {
        const qint64 seconds =
            call->answered ? call->answeredAt.secsTo(QDateTime::currentDateTime()) : 0;
        return propertyLine(words, QString::number(seconds));
    }
    return error(10, QStringLiteral("Invalid property"));
}

QString CommandInterpreter::getMessage(const QStringList& words) {
    bool ok = false;
    const uint id = words.value(2).toUInt(&ok);
    const SimMessage* message = ok ? simulator_.world().message(id) : nullptr;
    if (!message || !message->involves(user_))
        return error(14, QStringLiteral("Invalid message id"));
    if (words.size() != 4)
        return error(10, QStringLiteral("Invalid property"));
    const QString property = upperWord(words, 3);
    if (property == QLatin1String("BODY"))
        return propertyLine(words, message->body);
    if (property == QLatin1String("FROM_HANDLE"))
        return propertyLine(words, message->from);
    if (property == QLatin1String("PARTNER_HANDLE"))
        return propertyLine(words, message->from == user_ ? message->to : message->from);
    if (property == QLatin1String("STATUS"))
        return propertyLine(words, message->statusFor(user_));
    if (property == QLatin1String("TIMESTAMP"))
        return propertyLine(words, QString::number(message->time.toSecsSinceEpoch()));
    if (property == QLatin1String("FROM_DISPNAME")) {
        const SimUser* author = simulator_.world().user(message->from);
        return propertyLine(words, author ? author->fullName : message->from);
    }
    return error(10, QStringLiteral("Invalid property"));
}
