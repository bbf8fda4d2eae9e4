#include "recordlib.h"

#include <QFile>
#include <QSaveFile>

#include <optional>

namespace {

QString fieldText(const QString& text) {
    QString field = text;
    for (QChar& c : field)
        if (c.isSpace() || c.category() == QChar::Other_Control)
            c = u'_';
    return field;
}

std::optional<qint32> wholeNumber(const QByteArray& word) {
    bool ok = false;
    const qint32 value = word.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool writeAll(QIODevice& file, const QByteArray& bytes, QString* error) {
    if (file.write(bytes) == bytes.size())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace

QByteArray RecordLib::formatLine(const GameRecord& r) {
    const QStringList fields = {QString::number(r.GameId),
                                fieldText(r.Inviter),
                                fieldText(r.Partner),
                                fieldText(r.Started),
                                QString::number(r.Turns),
                                QString::number(r.LocalScore),
                                QString::number(r.PartnerScore),
                                fieldText(r.Result)};
    return fields.join(u' ').toUtf8();
}

bool RecordLib::parseLine(const QByteArray& line, GameRecord* record) {
    const QList<QByteArray> words = line.split(' ');
    if (line.isEmpty() || words.size() < 8)
        return false;
    const auto id = wholeNumber(words[0]);
    const auto turns = wholeNumber(words[4]);
    const auto local = wholeNumber(words[5]);
    const auto partner = wholeNumber(words[6]);
    if (!id || !turns || !local || !partner)
        return false;
    const auto text = [&words](int i) { return QString::fromUtf8(words[i]).trimmed(); };
    *record = {*id, text(1), text(3), text(2), *turns, *local, *partner, text(7)};
    return true;
}

bool RecordLib::LoadGameRecords(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    m_records.clear();
    for (QByteArray line : contents.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        GameRecord record;
        if (parseLine(line, &record))
            AddGameRecord(record);
    }
    return true;
}

bool RecordLib::SaveGameRecords(const QString& path, QString* error) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray bytes;
    for (const GameRecord& record : m_records)
        bytes += formatLine(record) + "\r\n";
    if (!writeAll(file, bytes, error))
        return false;
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool RecordLib::appendGameRecord(const QString& path, const GameRecord& record, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // A last line without its terminator (a write cut short) gets one, so ours stays whole.
    QByteArray bytes;
    if (file.size() > 0 && file.seek(file.size() - 1) && file.read(1) != "\n")
        bytes = "\r\n";
    bytes += formatLine(record) + "\r\n";
    if (!file.seek(file.size()) || !writeAll(file, bytes, error))
        return false;
    if (!file.flush()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
