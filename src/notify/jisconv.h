#pragma once

#include <QByteArray>
#include <QString>

// Japanese mail text: the program's texts are converted to the Japanese Windows character set
// (code page 932, Shift_JIS) and from there to ISO-2022-JP, the 7-bit form mail readers expect.
namespace JisCode {

// CP932 bytes of the text. A character that CP932 cannot hold becomes "?", so a stray emoji
// in a caller's name never stops a mail.
QByteArray Utf8ToCp932(const QString& text);

// The JIS X 0208 code of a Shift_JIS double-byte character, high byte first.
struct JisPair {
    unsigned char high;
    unsigned char low;
};
JisPair SJISTOJIS(unsigned char high, unsigned char low);

// Shift_JIS to ISO-2022-JP: ESC $ B before a kanji run, ESC ( I before a half-width katakana
// run, ESC ( J before a single-byte character that follows either run. A text that ends in a
// run ends without an escape back, as mail readers of the time accepted.
QByteArray JisConv(const QByteArray& sjis);

// Utf8ToCp932 followed by JisConv: the form in which subject and body go out.
QByteArray ToMailJis(const QString& text);

} // namespace JisCode
