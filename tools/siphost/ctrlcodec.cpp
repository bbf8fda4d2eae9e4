#include "ctrlcodec.h"

#include <QJsonDocument>
#include <QJsonObject>

QByteArray encodeNetstring(const QByteArray& payload) {
    return QByteArray::number(payload.size()) + ':' + payload + ',';
}

std::optional<QByteArray> NetstringReader::next() {
    if (failed_)
        return std::nullopt;
    const qsizetype colon = buffer_.indexOf(':');
    const qsizetype digits = colon < 0 ? buffer_.size() : colon;
    // The length has at most 7 digits (kMaxFrame) and nothing but digits.
    for (qsizetype i = 0; i < digits; ++i) {
        if (buffer_[i] < '0' || buffer_[i] > '9' || i >= 7) {
            failed_ = true;
            return std::nullopt;
        }
    }
    if (colon < 0)
        return std::nullopt;
    if (colon == 0) {
        failed_ = true;
        return std::nullopt;
    }
    const qsizetype length = buffer_.left(colon).toLongLong();
    if (length > kMaxFrame) {
        failed_ = true;
        return std::nullopt;
    }
    if (buffer_.size() < colon + 1 + length + 1)
        return std::nullopt;
    if (buffer_[colon + 1 + length] != ',') {
        failed_ = true;
        return std::nullopt;
    }
    QByteArray payload = buffer_.mid(colon + 1, length);
    buffer_.remove(0, colon + 1 + length + 1);
    return payload;
}

QByteArray encodeCommand(const QString& command, const QString& params, const QString& token) {
    QJsonObject object{{QStringLiteral("command"), command}, {QStringLiteral("token"), token}};
    if (!params.isEmpty())
        object.insert(QStringLiteral("params"), params);
    return encodeNetstring(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

CtrlMessage decodeMessage(const QByteArray& json) {
    CtrlMessage message;
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return message;
    const QJsonObject object = document.object();
    const auto text = [&object](const char* key) {
        return object.value(QLatin1String(key)).toString();
    };
    if (object.value(QLatin1String("event")).toBool()) {
        message.kind = CtrlMessage::Event;
        message.type = text("type");
        message.eventClass = text("class");
        message.callId = text("id");
        message.direction = text("direction");
        message.peerUri = text("peeruri");
        message.param = text("param");
    } else if (object.value(QLatin1String("response")).toBool()) {
        message.kind = CtrlMessage::Response;
        message.ok = object.value(QLatin1String("ok")).toBool();
        message.data = text("data");
        message.token = text("token");
    }
    return message;
}
