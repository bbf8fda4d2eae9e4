#include "mcicommand.h"

#include "platform/sound.h"

#include <optional>

namespace {

std::optional<MciCommand::Verb> verbOf(const QString& word) {
    using Verb = MciCommand::Verb;
    static const struct {
        const char* name;
        Verb verb;
    } verbs[] = {{"open", Verb::Open},    {"play", Verb::Play}, {"record", Verb::Record},
                 {"stop", Verb::Stop},    {"save", Verb::Save}, {"close", Verb::Close},
                 {"status", Verb::Status}};
    for (const auto& entry : verbs) {
        if (word.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.verb;
    }
    return std::nullopt;
}

bool is(const QString& word, const char* keyword) {
    return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

// Reads the words after the device name; false with cmd.error set on the first it rejects.
bool parseArguments(MciCommand& cmd, const QStringList& words) {
    using Verb = MciCommand::Verb;
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString& word = words[i];
        const bool hasNext = i + 1 < words.size();
        if (is(word, "notify")) {
            cmd.notify = true;
        } else if (cmd.verb == Verb::Open && (is(word, "alias") || is(word, "type"))) {
            if (!hasNext) {
                cmd.error = MciError::UnrecognizedKeyword;
                return false;
            }
            (is(word, "alias") ? cmd.alias : cmd.type) = words[++i];
        } else if (cmd.verb == Verb::Save && !cmd.hasFile) {
            cmd.file = word;
            cmd.hasFile = true;
        } else if (cmd.verb == Verb::Status && cmd.item.isEmpty() &&
                   (is(word, "length") || is(word, "mode"))) {
            cmd.item = word.toLower();
        } else {
            cmd.error = MciError::UnrecognizedKeyword;
            return false;
        }
    }
    return true;
}

} // namespace

QStringList splitMciWords(const QString& text, bool& ok) {
    QStringList words;
    ok = true;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        if (text[i] == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                ok = false;
                return words;
            }
            words << text.mid(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !text[end].isSpace())
            ++end;
        words << text.mid(i, end - i);
        i = end;
    }
    return words;
}

MciCommand parseMciCommand(const QString& text) {
    MciCommand cmd;
    bool ok = true;
    const QStringList words = splitMciWords(text, ok);
    if (!ok) {
        cmd.error = MciError::NoClosingQuote;
        return cmd;
    }
    const auto verb = words.isEmpty() ? std::nullopt : verbOf(words.first());
    if (!verb) {
        cmd.error = MciError::UnrecognizedCommand;
        return cmd;
    }
    cmd.verb = *verb;
    if (words.size() < 2) {
        cmd.error = MciError::MissingDeviceName;
        return cmd;
    }
    cmd.device = words[1];
    if (parseArguments(cmd, words) && cmd.verb == MciCommand::Verb::Status && cmd.item.isEmpty())
        cmd.error = MciError::UnrecognizedKeyword;
    return cmd;
}
