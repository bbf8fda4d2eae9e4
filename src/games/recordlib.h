#pragma once

#include <QList>
#include <QString>

// One game of the darts history: one line of "Arrowfall.hist" in the per-user data
// folder. A line is eight fields separated by single blanks, in the order GameId, Inviter,
// Partner, Started, Turns, LocalScore, PartnerScore, Result, ended by CR LF.
struct GameRecord {
    qint32 GameId = 0;
    QString Inviter;
    QString Started;
    QString Partner;
    qint32 Turns = 0;
    qint32 LocalScore = 0;
    qint32 PartnerScore = 0;
    QString Result;

    bool operator==(const GameRecord&) const = default;
};

// RecordLib: the darts history store, the game list in memory and its file on disk.
class RecordLib {
public:
    static QString fileName() { return QStringLiteral("Arrowfall.hist"); }

    // Reads the file into the store. A file that cannot be opened leaves the store as it was
    // and returns false. Lines with fewer than eight fields or a field that is not a 32-bit
    // number are skipped; the lines after them are still read.
    bool LoadGameRecords(const QString& path);
    void AddGameRecord(const GameRecord& record) { m_records.append(record); }
    // Replaces the file with the store, atomically: the old file stays whole on any failure.
    bool SaveGameRecords(const QString& path, QString* error = nullptr) const;
    const QList<GameRecord>& records() const { return m_records; }

    // Adds one complete line at the end of the file, leaving every existing line as it is.
    static bool appendGameRecord(const QString& path, const GameRecord& record,
                                 QString* error = nullptr);
    // The file line of a record, without its CR LF. Blanks, CR and LF inside a text become
    // "_", so the line always has eight fields.
    static QByteArray formatLine(const GameRecord& record);
    // The record of one line (without terminator), or false when the line is not one.
    static bool parseLine(const QByteArray& line, GameRecord* record);

private:
    QList<GameRecord> m_records;
};
