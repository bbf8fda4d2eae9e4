// The host commands the bridge serves; everything else gets an error line.
#include "bridge.h"

#include <QRegularExpression>

namespace {
const QStringList kUserStatuses = {QStringLiteral("ONLINE"),    QStringLiteral("AWAY"),
                                   QStringLiteral("DND"),       QStringLiteral("NA"),
                                   QStringLiteral("INVISIBLE"), QStringLiteral("OFFLINE")};
}

void Bridge::handleCommand(const QString& line) {
    const QStringList words = line.split(QLatin1Char(' '));
    const QString verb = words.value(0).toUpper();
    if (line == QLatin1String("PING"))
        emit notify(QStringLiteral("PONG"));
    else if (verb == QLatin1String("GET") && words.size() >= 2)
        getCommand(words);
    else if (verb == QLatin1String("SET") && words.size() >= 3)
        setCommand(words);
    else if (verb == QLatin1String("CALL") && words.size() == 2)
        dial(words[1]);
    else if (verb == QLatin1String("SEARCH") && words.value(1) == QLatin1String("FRIENDS"))
        emit notify(QStringLiteral("USERS %1").arg(book_.handles().join(QStringLiteral(", "))));
    else if (verb == QLatin1String("NAME") && words.size() >= 2)
        emit notify(QStringLiteral("OK"));
    else if (verb == QLatin1String("PROTOCOL") && words.size() == 2)
        emit notify(QStringLiteral("PROTOCOL %1").arg(qBound(1u, words[1].toUInt(), 8u)));
    else if (verb == QLatin1String("MESSAGE") || verb == QLatin1String("CHATMESSAGE"))
        error(615, QStringLiteral("Chat messages are not available over SIP"));
    else
        error(2, QStringLiteral("Unknown command"));
}

void Bridge::getCommand(const QStringList& words) {
    const QString what = words[1];
    if (words.size() == 2 && what == QLatin1String("CURRENTUSERHANDLE"))
        emit notify(QStringLiteral("CURRENTUSERHANDLE %1").arg(book_.accountUser()));
    else if (words.size() == 2 && what == QLatin1String("USERSTATUS"))
        emit notify(QStringLiteral("USERSTATUS %1")
                        .arg(registered_ ? userStatus_ : QStringLiteral("OFFLINE")));
    else if (words.size() == 2 && what == QLatin1String("CONNSTATUS"))
        emit notify(QStringLiteral("CONNSTATUS %1")
                        .arg(registered_ ? QStringLiteral("ONLINE") : QStringLiteral("OFFLINE")));
    else if (words.size() == 2 && what == QLatin1String("AUDIO_IN"))
        emit notify(QStringLiteral("AUDIO_IN %1").arg(audioIn_));
    else if (words.size() == 2 && what == QLatin1String("AUDIO_OUT"))
        emit notify(QStringLiteral("AUDIO_OUT %1").arg(audioOut_));
    else if (words.size() == 2 && what == QLatin1String("SKYPEVERSION"))
        emit notify(QStringLiteral("SKYPEVERSION 1.0.0.sip"));
    else if (what == QLatin1String("CALL") && words.size() == 4)
        getCall(words);
    else if (what == QLatin1String("CHATMESSAGE") || what == QLatin1String("MESSAGE"))
        error(615, QStringLiteral("Chat messages are not available over SIP"));
    else
        error(7, QStringLiteral("GET: invalid WHAT"));
}

void Bridge::getCall(const QStringList& words) {
    const Call* call = callById(words[2]);
    if (!call) {
        error(11, QStringLiteral("Invalid call id"));
        return;
    }
    const QString property = words[3];
    QString value;
    if (property == QLatin1String("STATUS"))
        value = call->status;
    else if (property == QLatin1String("PARTNER_HANDLE") ||
             property == QLatin1String("PARTNER_DISPNAME"))
        value = book_.handleFor(call->peerUri);
    else if (property == QLatin1String("TYPE"))
        value = call->incoming ? QStringLiteral("INCOMING_P2P") : QStringLiteral("OUTGOING_P2P");
    else if (property == QLatin1String("TIMESTAMP"))
        value = QString::number(call->started.toSecsSinceEpoch());
    else if (property == QLatin1String("DURATION"))
        value = QString::number(call->established && call->status == QLatin1String("INPROGRESS")
                                    ? call->started.secsTo(QDateTime::currentDateTimeUtc())
                                    : 0);
    else {
        error(71, QStringLiteral("Invalid property"));
        return;
    }
    emit notify(QStringLiteral("CALL %1 %2 %3").arg(call->id).arg(property, value));
}

void Bridge::setCommand(const QStringList& words) {
    if (words[1] == QLatin1String("USERSTATUS") && words.size() == 3) {
        if (!kUserStatuses.contains(words[2])) {
            error(28, QStringLiteral("Unknown userstatus"));
            return;
        }
        userStatus_ = words[2];
        emit notify(QStringLiteral("USERSTATUS %1").arg(userStatus_));
    } else if (words[1] == QLatin1String("CALL") && words.size() == 5 &&
               words[3] == QLatin1String("STATUS")) {
        setCall(words);
    } else if ((words[1] == QLatin1String("AUDIO_IN") || words[1] == QLatin1String("AUDIO_OUT")) &&
               words.size() == 3) {
        emit notify(words.mid(1).join(QLatin1Char(' ')));
    } else if (words[1] == QLatin1String("MESSAGE") || words[1] == QLatin1String("CHATMESSAGE")) {
        error(615, QStringLiteral("Chat messages are not available over SIP"));
    } else {
        error(7, QStringLiteral("SET: invalid WHAT"));
    }
}

void Bridge::setCall(const QStringList& words) {
    Call* call = callById(words[2]);
    const QString status = words[4];
    if (!call || call->sipId.isEmpty() || call->status == QLatin1String("FINISHED") ||
        call->status == QLatin1String("MISSED") || call->status == QLatin1String("REFUSED") ||
        call->status == QLatin1String("FAILED")) {
        error(11, QStringLiteral("Invalid call id"));
        return;
    }
    if (status == QLatin1String("INPROGRESS") && call->incoming && !call->established) {
        emit baresipCommand(QStringLiteral("callfind"), call->sipId);
        emit baresipCommand(QStringLiteral("accept"), QString());
    } else if (status == QLatin1String("FINISHED")) {
        call->endedHere = true;
        emit baresipCommand(QStringLiteral("callfind"), call->sipId);
        emit baresipCommand(QStringLiteral("hangup"), QString());
    } else {
        error(24, QStringLiteral("Cannot change call status"));
    }
}

void Bridge::dial(const QString& handle) {
    const QString uri = book_.uriFor(handle);
    if (uri.isEmpty()) {
        error(38, QStringLiteral("Invalid handle"));
        return;
    }
    Call call;
    call.id = nextId_++;
    call.peerUri = uri;
    call.started = QDateTime::currentDateTimeUtc();
    calls_.insert(call.id, call);
    setStatus(calls_[call.id], QStringLiteral("ROUTING"));
    emit baresipCommand(QStringLiteral("dial"), uri);
    prune();
}
