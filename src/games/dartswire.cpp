#include "dartswire.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace DartsWire {

namespace {
bool fitsInt32(double value) {
    return value >= double(std::numeric_limits<qint32>::min()) &&
           value <= double(std::numeric_limits<qint32>::max());
}
} // namespace

QString formatCoordinate(float value) {
    const double v = double(value);
    if (!std::isfinite(v) || v == 0)
        return QStringLiteral("0");
    // Digits after the point so that 7 significant digits remain.
    const int exponent = int(std::floor(std::log10(std::abs(v))));
    const int decimals = std::max(0, 6 - exponent);
    QString text = QString::number(v, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

std::optional<qint32> parseCoordinate(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (word.size() > 64 || !plain.match(word).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = word.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (!fitsInt32(rounded))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

std::optional<qint32> parseSessionNumber(const QString& word) {
    static const QRegularExpression canonical(QStringLiteral("^(0|-?[1-9]\\d{0,9})$"));
    if (!canonical.match(word).hasMatch())
        return std::nullopt;
    const qint64 value = word.toLongLong();
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

QString inviteWords(qint32 session) {
    return QStringLiteral("INVITE ") + QString::number(session);
}

QString replyWords(const QString& receivedText, const QString& answer) {
    return receivedText + u' ' + answer;
}

QString throwWords(qint32 session, const QString& x, const QString& y) {
    return QStringLiteral("THROW %1 %2 %3").arg(session).arg(x, y);
}

QString byeWords(qint32 session) {
    return QStringLiteral("BYE ") + QString::number(session);
}

} // namespace DartsWire
