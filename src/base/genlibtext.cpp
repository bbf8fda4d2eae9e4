#include "genlibtext.h"

#include <limits>

namespace GEnLib {

QStringView TrimmedBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

void TrimBlanks(QString& text) {
    const QStringView trimmed = TrimmedBlanks(text);
    if (trimmed.size() != text.size())
        text = trimmed.toString();
}

HeadWords SplitHeadWords(QStringView line) {
    HeadWords words;
    qsizetype start = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype blank = line.indexOf(u' ', start);
        words.word[i] = blank < 0 ? line.sliced(start) : line.sliced(start, blank - start);
        words.count = i + 1;
        if (blank < 0)
            break;
        if (i == 2)
            words.rest = line.sliced(blank + 1);
        start = blank + 1;
    }
    return words;
}

std::optional<qint32> ParseHostId(QStringView word) {
    if (word.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : word) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<qint32>::max())
            return std::nullopt;
    }
    return qint32(value);
}

QString LogSafe(QStringView text) {
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            safe += QLatin1String("\\\\");
        else if (u == u'\r')
            safe += QLatin1String("\\r");
        else if (u == u'\n')
            safe += QLatin1String("\\n");
        else if (u == u'\t')
            safe += QLatin1String("\\t");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            safe += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else if (u == 0x2028 || u == 0x2029)
            safe += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            safe += c;
    }
    return safe;
}

} // namespace GEnLib
