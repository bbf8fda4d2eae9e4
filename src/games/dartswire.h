#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The words of darts control messages. Both copies must read them alike, so every number a
// peer sends is checked before it is used, sent back or stored.
namespace DartsWire {

// A coordinate as THROW carries it: at most 7 significant digits, positional (no exponent),
// a period as decimal point, trailing zeros dropped ("1234.5", "850", "-19.00498").
QString formatCoordinate(float value);
// A THROW coordinate rounded to whole twips, ties to even. Only plain finite decimals whose
// rounded value fits 32 bits are taken ("nan", "inf", "1e40", "0x10" are not).
std::optional<qint32> parseCoordinate(const QString& word);
// A session number: canonical 32-bit decimal ("17", "-3", "0"; not "017", "+5", "-0").
std::optional<qint32> parseSessionNumber(const QString& word);

// The feature's words of outgoing messages (after "Arrowfall").
QString inviteWords(qint32 session);
QString replyWords(const QString& receivedText, const QString& answer);
QString throwWords(qint32 session, const QString& x, const QString& y);
QString byeWords(qint32 session);

} // namespace DartsWire
