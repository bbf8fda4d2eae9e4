#include "contactreply.h"

#include "contactrecord.h"

#include <QStringList>

std::optional<UserReply> parseUserReply(const QString& line) {
    if (!line.contains(QLatin1String("USER ")))
        return std::nullopt;
    const QStringList words = line.split(u' ');
    if (words.size() < 4 || words[0] != QLatin1String("USER"))
        return std::nullopt;
    // FULLNAME takes words 4 to the last; the others take word 4 only.
    const bool wholeRest = words[2] == QLatin1String("FULLNAME");
    const QString value = wholeRest ? words.mid(3).join(u' ') : words[3];
    return UserReply{words[1], words[2], value};
}

void applyUserReply(ContactRecord& record, const UserReply& reply) {
    if (reply.property == QLatin1String("FULLNAME"))
        record.FullName = reply.value;
    else if (reply.property == QLatin1String("ONLINESTATUS"))
        record.OnlineStatus = reply.value;
    else if (reply.property == QLatin1String("COUNTRY"))
        record.Country = reply.value;
    else if (reply.property == QLatin1String("LASTONLINETIMESTAMP"))
        record.LastOnline = reply.value.toLongLong(); // 0 when not a number
}
