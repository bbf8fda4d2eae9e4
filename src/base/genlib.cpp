#include "genlib.h"

#include "loglib.h"
#include "platform/clock.h"
#include "platform/folders.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <glib.h>

#include <array>

namespace GEnLib {

QString GetMyDocumentPath(const Folders& folders) {
    return folders.documentsPath();
}

QByteArray Utf8Encode(const QString& text) {
    return text.toUtf8();
}

QString Utf8Decode(const QByteArray& bytes, bool* ok) {
    // A leading U+FEFF is part of the text, not a byte-order mark to drop.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    const bool valid = !decoder.hasError();
    if (ok)
        *ok = valid;
    return valid ? text : QString();
}

QString GetFileName(const QString& path) {
    const qsizetype backslash = path.lastIndexOf(u'\\');
    const qsizetype slash = path.lastIndexOf(u'/');
    if (backslash < 0 && slash < 2)
        return path;
    return path.mid(qMax(backslash, slash) + 1);
}

bool FileExists(const QString& path) {
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?'))
        return false;
    return QFileInfo(path).isFile();
}

QString StampToDisplay(const QString& stamp) {
    return stamp.mid(0, 4) + u'/' + stamp.mid(4, 2) + u'/' + stamp.mid(6, 2) + u' ' +
           stamp.mid(8, 2) + u':' + stamp.mid(10, 2) + u'.' + stamp.mid(12, 2);
}

QString DateToStamp(const QDateTime& dateTime) {
    return dateTime.toString(QStringLiteral("yyyyMMddHHmmss"));
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

qint64 DateToSeconds(const QDateTime& dateTime) {
    // Calendar arithmetic on the date and time as given; the count is wider than the
    // original's 32 bits so dates after 2038 keep counting instead of wrapping.
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    qint64 total = 0;
    for (int y = 1970; y < date.year(); ++y)
        total += DaysInYear(y) * 86400LL;
    for (int m = 1; m < date.month(); ++m)
        total += DaysInMonth(date.year(), m) * 86400LL;
    total += (date.day() - 1) * 86400LL + time.hour() * 3600 + time.minute() * 60 + time.second();
    return total;
}

QString SecondsToDisplay(qint64 count, LogLib* log) {
    auto trace = [log](const QString& line) {
        if (log)
            log->WriteLog(line, 10);
    };
    qint64 sum = 0;
    int year = 1970;
    while (count - sum >= DaysInYear(year) * 86400LL)
        sum += DaysInYear(year++) * 86400LL;
    trace(QStringLiteral("@@@@[y=%1]%2-%3").arg(year).arg(count).arg(sum));
    int month = 1;
    while (month < 12 && count - sum >= DaysInMonth(year, month) * 86400LL)
        sum += DaysInMonth(year, month++) * 86400LL;
    trace(QStringLiteral("@@@@[m=%1]%2-%3").arg(month).arg(count).arg(sum));
    const qint64 day = (count - sum) / 86400 + 1;
    sum += (day - 1) * 86400;
    trace(QStringLiteral("%1-%2").arg(count).arg(sum));
    const qint64 hour = (count - sum) / 3600;
    sum += hour * 3600;
    trace(QStringLiteral("%1-%2").arg(count).arg(sum));
    const qint64 minute = (count - sum) / 60;
    sum += minute * 60;
    trace(QStringLiteral("%1-%2").arg(count).arg(sum));
    const qint64 second = count - sum;
    auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1/%2/%3 %4:%5.%6")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(two(month), two(day), two(hour), two(minute), two(second));
}

bool IsMessageQueueEmpty() {
    // Qt's event dispatcher on Linux is GLib's main context; asking it whether a source is
    // ready (posted events, a bus message, a socket, a due timer) dispatches nothing.
    return !g_main_context_pending(g_main_context_default());
}

const QString kCryptAlphabet =
    QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.");

namespace {
// 1-based position of each character in the alphabet; 0 for characters outside it.
const std::array<quint8, 128> kCryptPositions = [] {
    std::array<quint8, 128> positions{};
    for (qsizetype i = 0; i < kCryptAlphabet.size(); ++i)
        positions[kCryptAlphabet.at(i).unicode()] = static_cast<quint8>(i + 1);
    return positions;
}();

int cryptPosition(QChar c) {
    return c.unicode() < kCryptPositions.size() ? kCryptPositions[c.unicode()] : 0;
}

// The position reached from position i after n steps of the walk, in constant time. The walk
// wraps from 64 to 1 only when it lands on 64 exactly, so from "." (64) it runs past the
// alphabet; from 1..63 it cycles through 63 positions.
qint64 shiftedPosition(qint64 i, int n) {
    if (n <= 0)
        return i;
    if (i == 64)
        return i + n;
    return (i - 1 + n) % 63 + 1;
}

// Past the end of the alphabet there is no character: the shift gives nothing.
QString characterAt(qint64 position) {
    return position >= 1 && position <= 64 ? QString(kCryptAlphabet.at(position - 1)) : QString();
}
} // namespace

QString ShiftCryptChar(QChar c, int n) {
    const int i = cryptPosition(c);
    return i == 0 ? QStringLiteral("False") : characterAt(shiftedPosition(i, n));
}

QString ShiftCryptCharByWalking(QChar c, int n) {
    const int index = cryptPosition(c);
    if (index == 0)
        return QStringLiteral("False");
    qint64 i = index;
    for (int step = 0; step < n; ++step) {
        ++i;
        if (i == 64)
            i = 1;
    }
    return characterAt(i);
}

QString ConvertStringToCryptString(const QString& text, const QString& salt) {
    if (salt.size() != 2 || cryptPosition(salt.at(0)) == 0 || cryptPosition(salt.at(1)) == 0)
        return {};
    for (QChar c : text) {
        if (cryptPosition(c) == 0)
            return {};
    }
    const int a = salt.at(0).unicode();
    const int b = salt.at(1).unicode();
    const int p = a % 2 == 1 ? a : b;
    const int q = a % 2 == 1 ? b : a;
    qint16 acc = 0; // 16 bits, as the stored scrambled keys were made with
    QString result = salt;
    result.reserve(2 + text.size());
    for (qsizetype k = 1; k <= text.size(); ++k) {
        acc = static_cast<qint16>(acc + (k % 2 == 1 ? p : q));
        const qint64 position = shiftedPosition(cryptPosition(text.at(k - 1)), acc);
        if (position <= 64)
            result += kCryptAlphabet.at(position - 1);
    }
    return result;
}

QString GetCryptString(const QString& key, const Clock& clock) {
    const quint32 seconds = static_cast<quint32>(DateToSeconds(clock.now()));
    const QString hex = QStringLiteral("0000") + QString::number(seconds, 16).toUpper();
    return ConvertStringToCryptString(key, hex.right(2));
}

bool IsCryptStringOf(const QString& scrambled, const QString& key) {
    const QString expected = ConvertStringToCryptString(key, scrambled.left(2));
    return !expected.isEmpty() && scrambled == expected;
}

} // namespace GEnLib
