#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class Clock;
class Folders;
class LogLib;

// GEnLib: the general library, a namespace of free functions over the platform services.
// Documents path, UTF-8 for the host link, paths, dates and the salted
// scrambling of the remote-control key. Window centring lives in centerform.h (widgets).
namespace GEnLib {

// The user's documents folder without a trailing separator; empty when unavailable.
QString GetMyDocumentPath(const Folders& folders);

// UTF-8 bytes of the text; empty for empty text.
QByteArray Utf8Encode(const QString& text);
// The text of strict UTF-8 bytes; empty text (and ok = false) when the bytes are not UTF-8.
QString Utf8Decode(const QByteArray& bytes, bool* ok = nullptr);

// The part after the last "\" or "/"; the whole text when there is no "\" and no "/" after
// the second character.
QString GetFileName(const QString& path);
// True for an existing file that is not a folder; false for empty paths and wildcards.
bool FileExists(const QString& path);

// "yyyymmddhhmmss" -> "yyyy/mm/dd hh:mm.ss", a pure re-arrangement of the digits.
QString StampToDisplay(const QString& stamp);
// The 14-digit stamp of a local date and time.
QString DateToStamp(const QDateTime& dateTime);

bool IsLeapYear(int year);
int DaysInYear(int year);
int DaysInMonth(int year, int month); // 0 for a month outside 1..12
// Seconds from 1970-01-01 00:00:00 of the calendar date and clock time given, no time zone.
qint64 DateToSeconds(const QDateTime& dateTime);
// The display form of a second count >= 0; with a log, writes its sums at level 10.
QString SecondsToDisplay(qint64 count, LogLib* log = nullptr);

// True when no host line or other event waits to be handled, tested without removing any.
bool IsMessageQueueEmpty();

// The 64-character scrambling alphabet, numbered 1..64.
extern const QString kCryptAlphabet;
// The character c moved n positions along the alphabet (positions run 1..63; "." is never
// produced). "False" when c is not in the alphabet; empty when the walk leaves it.
QString ShiftCryptChar(QChar c, int n);
// The same result by walking one position per step; kept as the reference for benchmarks.
QString ShiftCryptCharByWalking(QChar c, int n);
// Salt followed by the shifted text; empty when the salt or the text is outside the alphabet.
QString ConvertStringToCryptString(const QString& text, const QString& salt);
// Scrambles the key with a salt taken from the clock's second count.
QString GetCryptString(const QString& key, const Clock& clock);
bool IsCryptStringOf(const QString& scrambled, const QString& key);

} // namespace GEnLib
