#include "interpreter.h"

#include "simulator.h"

namespace {

const QStringList kUserStatuses = {QStringLiteral("ONLINE"),    QStringLiteral("AWAY"),
                                   QStringLiteral("DND"),       QStringLiteral("NA"),
                                   QStringLiteral("INVISIBLE"), QStringLiteral("OFFLINE"),
                                   QStringLiteral("SKYPEME")};

QString upperWord(const QStringList& words, int i) {
    return i < words.size() ? words[i].toUpper() : QString();
}

} // namespace

CommandInterpreter::CommandInterpreter(Simulator& simulator, const QString& user)
    : simulator_(simulator), user_(user) {}

QString CommandInterpreter::error(int code, const QString& text) {
    return QStringLiteral("ERROR %1 %2").arg(code).arg(text);
}

QStringList CommandInterpreter::execute(const QString& line) {
    const QStringList words = line.split(QLatin1Char(' '));
    const QString verb = upperWord(words, 0);
    if (verb == QLatin1String("PING"))
        return {QStringLiteral("PONG")};
    if (verb == QLatin1String("GET"))
        return get(words);
    if (verb == QLatin1String("SET"))
        return set(words);
    if (verb == QLatin1String("SEARCH"))
        return search(words);
    if (verb == QLatin1String("MESSAGE"))
        return message(words, line);
    if (verb == QLatin1String("CALL"))
        return call(words);
    if (verb == QLatin1String("PROTOCOL"))
        return protocol(words);
    if (verb == QLatin1String("NAME"))
        return {QStringLiteral("OK")};
    return {error(2, QStringLiteral("Unknown command"))};
}

QStringList CommandInterpreter::search(const QStringList& words) {
    if (upperWord(words, 1) != QLatin1String("FRIENDS"))
        return {error(3, QStringLiteral("SEARCH: unknown WHAT"))};
    const SimUser* self = simulator_.world().user(user_);
    // The blank after "USERS" stays when the list is empty: clients look for "USERS ".
    return {QStringLiteral("USERS ") +
            (self ? self->friends.join(QStringLiteral(", ")) : QString())};
}

QStringList CommandInterpreter::message(const QStringList& words, const QString& line) {
    if (words.size() < 2 || words[1].isEmpty())
        return {error(26, QStringLiteral("Invalid user handle"))};
    // The text is everything after the second blank, inner and outer blanks kept.
    const QString text = line.section(QLatin1Char(' '), 2);
    if (text.isEmpty())
        return {error(43, QStringLiteral("Cannot send empty message"))};
    const OpResult result = simulator_.sendChat(user_, words[1], text);
    if (!result.ok)
        return {error(26, QStringLiteral("Invalid user handle"))};
    return {};
}

QStringList CommandInterpreter::call(const QStringList& words) {
    if (words.size() < 2 || words[1].isEmpty())
        return {error(34, QStringLiteral("Invalid user handle"))};
    const OpResult result = simulator_.placeCall(user_, words[1]);
    if (!result.ok)
        return {error(34, QStringLiteral("Invalid user handle"))};
    return {};
}

QStringList CommandInterpreter::protocol(const QStringList& words) {
    bool ok = false;
    const int asked = words.value(1).toInt(&ok);
    if (!ok || asked < 1)
        return {error(1, QStringLiteral("Invalid protocol"))};
    return {QStringLiteral("PROTOCOL %1").arg(qMin(asked, 8))};
}

QStringList CommandInterpreter::set(const QStringList& words) {
    const QString what = upperWord(words, 1);
    if (what == QLatin1String("CALL"))
        return setCall(words);
    if (what == QLatin1String("MESSAGE") || what == QLatin1String("CHATMESSAGE"))
        return setMessage(words);
    if (what == QLatin1String("USERSTATUS"))
        return setUserStatus(words);
    if ((what == QLatin1String("AUDIO_IN") || what == QLatin1String("AUDIO_OUT")) &&
        words.size() > 2)
        return {what + QLatin1Char(' ') + words.mid(2).join(QLatin1Char(' '))};
    return {error(17, QStringLiteral("SET: invalid WHAT"))};
}

QStringList CommandInterpreter::setCall(const QStringList& words) {
    bool ok = false;
    const uint id = words.value(2).toUInt(&ok);
    const SimCall* target = ok ? simulator_.world().call(id) : nullptr;
    if (!target || !target->involves(user_))
        return {error(11, QStringLiteral("Invalid call id"))};
    if (upperWord(words, 3) != QLatin1String("STATUS") || words.size() != 5)
        return {error(10, QStringLiteral("Invalid property"))};
    const QString status = upperWord(words, 4);
    OpResult result = OpResult::failure(QString());
    if (status == QLatin1String("INPROGRESS"))
        result = simulator_.answerCall(id, user_);
    else if (status == QLatin1String("FINISHED"))
        result = simulator_.endCall(id, user_);
    if (!result.ok)
        return {error(18, QStringLiteral("SET: invalid value"))};
    return {};
}

QStringList CommandInterpreter::setMessage(const QStringList& words) {
    bool ok = false;
    const uint id = words.value(2).toUInt(&ok);
    if (upperWord(words, 3) != QLatin1String("SEEN") || words.size() != 4)
        return {error(10, QStringLiteral("Invalid property"))};
    const QString kind = upperWord(words, 1);
    if (!ok || !simulator_.markSeen(id, user_, kind).ok)
        return {error(14, QStringLiteral("Invalid message id"))};
    return {};
}

QStringList CommandInterpreter::setUserStatus(const QStringList& words) {
    const QString status = upperWord(words, 2);
    if (words.size() != 3 || !kUserStatuses.contains(status))
        return {error(28, QStringLiteral("Unknown userstatus"))};
    const SimUser* self = simulator_.world().user(user_);
    if (self && self->status == status)
        return {QStringLiteral("USERSTATUS ") + status};
    simulator_.setStatus(user_, status); // tells every client of this user
    return {};
}
