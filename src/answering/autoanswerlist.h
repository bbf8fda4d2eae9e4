#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class MCILib;

// One recorded message as the list shows it. Actions act on path, never on texts rebuilt
// from the row.
struct RecordedMessage {
    QString path;
    QString date; // yyyy/mm/dd hh:mm.ss
    QString caller;
    bool heard = false;
    int seconds = 0; // playing time, rounded half to even
};

// The recorded messages of the answering machine folder, newest first (descending names).
class AutoAnswerList {
public:
    explicit AutoAnswerList(MCILib& mci) : m_mci(mci) {}

    // Rereads the folder; files whose names are not messages are left out. Without lengths
    // no file is opened (seconds stay 0), for a list that only names the messages.
    void UpdateAutoanswerList(const QString& folder, bool withLengths = true);
    const QList<RecordedMessage>& messages() const { return m_messages; }
    // The row of the message with that path, or -1.
    int indexOf(const QString& path) const;
    // The message a remote user names by its date text and caller, or -1.
    int indexOf(const QString& date, const QString& caller) const;
    // "RECORD <key> <date> <caller>" for every message, in list order.
    QStringList recordLines(const QString& key) const;

    // Seconds rounded to the nearest whole number, halves to the even one.
    static int roundHalfEven(double seconds);

private:
    MCILib& m_mci;
    QList<RecordedMessage> m_messages;
};
