#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// baresip's ctrl_tcp speaks JSON objects framed as netstrings: "<length>:<bytes>,".
QByteArray encodeNetstring(const QByteArray& payload);

// Cuts a byte stream into netstring payloads. A malformed or oversized frame makes the reader
// fail for good: the stream has lost its framing and nothing after it can be trusted.
class NetstringReader {
public:
    static constexpr qsizetype kMaxFrame = 1 << 20;

    void feed(const QByteArray& bytes) { buffer_.append(bytes); }
    std::optional<QByteArray> next();
    bool failed() const { return failed_; }

private:
    QByteArray buffer_;
    bool failed_ = false;
};

// One message from baresip: an event ("event": true) or a command's response.
struct CtrlMessage {
    enum Kind { Invalid, Event, Response };
    Kind kind = Invalid;
    QString type;       // CALL_INCOMING, CALL_ESTABLISHED, ... (events)
    QString eventClass; // "call", "register", ...
    QString callId;     // baresip's call id, empty when the event has none
    QString direction;  // "incoming" or "outgoing"
    QString peerUri;
    QString param;
    bool ok = false; // responses
    QString data;
    QString token;
};

QByteArray encodeCommand(const QString& command, const QString& params, const QString& token);
CtrlMessage decodeMessage(const QByteArray& json);
