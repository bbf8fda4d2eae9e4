#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The general library's text helpers for host lines: the blank-only trim every window that
// takes host lines shares, the split at single blanks, host ids and text made safe for logs.
namespace GEnLib {

// Removes blanks at both ends, in place. Only the blank counts: tabs, line breaks and other
// white space belong to the text.
void TrimBlanks(QString& text);
QStringView TrimmedBlanks(QStringView text);

// The first four words of a line split at single blanks (a double blank makes an empty word),
// and the text after the third blank, inner blanks kept. Views into the line.
struct HeadWords {
    std::array<QStringView, 4> word;
    int count = 0;    // words present, at most four
    QStringView rest; // everything after the third blank; empty with fewer than 4 words
};
HeadWords SplitHeadWords(QStringView line);

// A host id: decimal digits only (leading zeros allowed) whose value fits a signed 32-bit
// number. Anything else (a sign, blanks, other characters, overflow) is no id.
std::optional<qint32> ParseHostId(QStringView word);

// The text for one trace-log line: control characters (CR, LF, tab and the rest below 0x20,
// DEL, the C1 range and the Unicode line and paragraph separators) written as \r, \n, \t or
// \xNN / \uNNNN, and the backslash doubled, so a remote writer cannot start a line of its own.
QString LogSafe(QStringView text);

} // namespace GEnLib
