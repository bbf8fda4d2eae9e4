#pragma once

#include <QString>

#include <optional>

struct ContactRecord;

// One "USER <handle> <property> <value>" line from the host.
struct UserReply {
    QString handle;
    QString property;
    QString value; // for FULLNAME the rest of the line as it came, inner blanks kept
};

// The reply a line carries: split at single blanks, the first word exactly "USER" and at
// least four words; nothing for any other line.
std::optional<UserReply> parseUserReply(const QString& line);

// Stores the four properties the list keeps; any other property changes nothing. A country
// of several words keeps its first word; a last-online time that is not a number is 0.
void applyUserReply(ContactRecord& record, const UserReply& reply);
