#include "autoanswerlist.h"

#include "audio/mcilib.h"
#include "base/genlib.h"
#include "messagefiles.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <functional>

void AutoAnswerList::UpdateAutoanswerList(const QString& folder, bool withLengths) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(), std::greater<>());
    m_messages.clear();
    m_messages.reserve(names.size());
    for (const QString& name : names) {
        const MessageFiles::Parsed parsed = MessageFiles::parse(name);
        if (!parsed.valid)
            continue;
        RecordedMessage message;
        message.path = folder + u'/' + name;
        message.date = GEnLib::StampToDisplay(parsed.stamp);
        message.caller = parsed.caller;
        message.heard = parsed.heard;
        if (withLengths)
            message.seconds = roundHalfEven(m_mci.GetAudioFileLength(message.path));
        m_messages.append(std::move(message));
    }
}

int AutoAnswerList::indexOf(const QString& path) const {
    for (int row = 0; row < m_messages.size(); ++row) {
        if (m_messages[row].path == path)
            return row;
    }
    return -1;
}

int AutoAnswerList::indexOf(const QString& date, const QString& caller) const {
    for (int row = 0; row < m_messages.size(); ++row) {
        if (m_messages[row].date == date && m_messages[row].caller == caller)
            return row;
    }
    return -1;
}

QStringList AutoAnswerList::recordLines(const QString& key) const {
    QStringList lines;
    lines.reserve(m_messages.size());
    const QString prefix = QStringLiteral("RECORD ") + key + u' ';
    for (const RecordedMessage& message : m_messages)
        lines.append(prefix + message.date + u' ' + message.caller);
    return lines;
}

int AutoAnswerList::roundHalfEven(double seconds) {
    // The default rounding mode rounds halves to the even neighbour.
    return int(std::nearbyint(seconds));
}
