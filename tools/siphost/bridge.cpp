#include "bridge.h"

namespace {
constexpr int kKeptCalls = 200;
}

Bridge::Bridge(SipAddressBook book, const QString& audioIn, const QString& audioOut,
               QObject* parent)
    : QObject(parent), book_(std::move(book)), audioIn_(audioIn), audioOut_(audioOut) {}

void Bridge::error(int number, const QString& text) {
    emit notify(QStringLiteral("ERROR %1 %2").arg(number).arg(text));
}

void Bridge::setStatus(Call& call, const QString& status) {
    if (call.status == status)
        return;
    call.status = status;
    emit notify(QStringLiteral("CALL %1 STATUS %2").arg(call.id).arg(status));
}

Bridge::Call* Bridge::callById(const QString& word) {
    bool ok = false;
    const uint id = word.toUInt(&ok);
    const auto found = ok ? calls_.find(id) : calls_.end();
    return found == calls_.end() ? nullptr : &found.value();
}

Bridge::Call* Bridge::callBySipId(const CtrlMessage& message) {
    if (message.callId.isEmpty())
        return nullptr;
    for (Call& call : calls_) {
        if (call.sipId == message.callId)
            return &call;
    }
    if (message.direction == QLatin1String("outgoing")) {
        // The first word from baresip about a call this side dialled.
        for (Call& call : calls_) {
            if (!call.incoming && call.sipId.isEmpty() &&
                bareAddress(call.peerUri)
                        .compare(bareAddress(message.peerUri), Qt::CaseInsensitive) == 0) {
                call.sipId = message.callId;
                return &call;
            }
        }
    }
    return nullptr;
}

void Bridge::handleEvent(const CtrlMessage& message) {
    if (message.kind != CtrlMessage::Event)
        return;
    const QString& type = message.type;
    if (type == QLatin1String("REGISTER_OK") || type == QLatin1String("REGISTER_FAIL")) {
        const bool registered = type == QLatin1String("REGISTER_OK");
        if (registered != registered_) {
            registered_ = registered;
            emit notify(QStringLiteral("USERSTATUS %1")
                            .arg(registered ? userStatus_ : QStringLiteral("OFFLINE")));
        }
        return;
    }
    if (type == QLatin1String("CALL_INCOMING")) {
        Call call;
        call.id = nextId_++;
        call.sipId = message.callId;
        call.peerUri = message.peerUri.isEmpty() ? message.param : message.peerUri;
        call.incoming = true;
        call.started = QDateTime::currentDateTimeUtc();
        calls_.insert(call.id, call);
        setStatus(calls_[call.id], QStringLiteral("RINGING"));
        prune();
        return;
    }
    Call* call = callBySipId(message);
    if (!call)
        return;
    if (type == QLatin1String("CALL_RINGING") || type == QLatin1String("CALL_PROGRESS")) {
        if (!call->established)
            setStatus(*call, QStringLiteral("RINGING"));
    } else if (type == QLatin1String("CALL_ESTABLISHED")) {
        call->established = true;
        call->started = QDateTime::currentDateTimeUtc();
        setStatus(*call, QStringLiteral("INPROGRESS"));
    } else if (type == QLatin1String("CALL_CLOSED")) {
        closed(*call, message.param);
    }
}

void Bridge::closed(Call& call, const QString& reason) {
    if (call.established || call.endedHere) {
        setStatus(call, QStringLiteral("FINISHED"));
    } else if (call.incoming) {
        setStatus(call, QStringLiteral("MISSED"));
    } else {
        const bool refused = reason.contains(QLatin1String("486")) ||
                             reason.contains(QLatin1String("603")) ||
                             reason.contains(QLatin1String("Busy"), Qt::CaseInsensitive) ||
                             reason.contains(QLatin1String("Decline"), Qt::CaseInsensitive);
        setStatus(call, refused ? QStringLiteral("REFUSED") : QStringLiteral("FAILED"));
    }
}

void Bridge::prune() {
    while (calls_.size() > kKeptCalls)
        calls_.erase(calls_.begin());
}
