#include "controlenvelope.h"

#include "base/genlibtext.h"

#include <optional>

namespace {

std::optional<ControlEnvelope::Feature> featureOf(QStringView word) {
    if (word == QLatin1String("AutoAnswer"))
        return ControlEnvelope::Feature::AutoAnswer;
    if (word == QLatin1String("Arrowfall"))
        return ControlEnvelope::Feature::Arrowfall;
    return std::nullopt;
}

} // namespace

ControlEnvelope::ControlEnvelope(std::function<void(const QString&)> sendCommand)
    : m_send(std::move(sendCommand)) {}

void ControlEnvelope::setHandler(Feature feature, ControlMessageHandler* handler) {
    m_handlers[static_cast<std::size_t>(feature)] = handler;
}

ControlMessageHandler* ControlEnvelope::handler(Feature feature) const {
    return m_handlers[static_cast<std::size_t>(feature)];
}

QString ControlEnvelope::featureWord(Feature feature) {
    return feature == Feature::AutoAnswer ? QStringLiteral("AutoAnswer")
                                          : QStringLiteral("Arrowfall");
}

bool ControlEnvelope::IsControlMessage(QStringView text) {
    const qsizetype blank = text.indexOf(u' ');
    return (blank < 0 ? text : text.first(blank)) == QLatin1String(kMarker);
}

void ControlEnvelope::Dispatch(qint32 messageId, const QString& text, const QString& sender) {
    const GEnLib::HeadWords words = GEnLib::SplitHeadWords(text);
    if (words.count >= 3) {
        const std::optional<Feature> feature = featureOf(words.word[1]);
        ControlMessageHandler* target = feature ? handler(*feature) : nullptr;
        if (target && target->takesControlMessages()) {
            // What follows the first occurrence of the feature word, trimmed of blanks.
            const QString word = featureWord(*feature);
            QString handlerText =
                GEnLib::TrimmedBlanks(QStringView(text).sliced(text.indexOf(word) + word.size()))
                    .toString();
            QString from = sender;
            target->SkypeMessageHandler(handlerText, from);
        }
    }
    if (m_send)
        m_send(QStringLiteral("SET MESSAGE ") + QString::number(messageId) +
               QStringLiteral(" SEEN"));
}

QString ControlEnvelope::BuildControlMessage(const QString& recipient, Feature feature,
                                             const QString& words) {
    return QStringLiteral("MESSAGE ") + recipient + u' ' + QLatin1String(kMarker) + u' ' +
           featureWord(feature) + u' ' + words;
}

void ControlEnvelope::SendControlMessage(const QString& recipient, Feature feature,
                                         const QString& words) {
    if (m_send)
        m_send(BuildControlMessage(recipient, feature, words));
}
