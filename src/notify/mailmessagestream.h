#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The message that follows the server's "354", handed out piece by piece so that a large
// attachment never sits in memory whole: the head, then the attachment file a block at a
// time (its text lines sent with CRLF and dot-stuffed), then the tail.
class MailMessageStream {
public:
    // A plain mail: the whole message is the only piece.
    explicit MailMessageStream(QByteArray message);
    // A multipart mail whose attachment lines go between head and tail.
    MailMessageStream(QByteArray head, QString attachmentPath, QByteArray tail);

    // Opens the attachment. False with a run-time error number (53 not found, 75 no access).
    bool open();
    // The next piece; empty once everything is handed out or after a read error.
    QByteArray next();
    bool atEnd() const { return m_stage == Stage::Done; }
    // 0, or the run-time error number of a failed open or read (57: read error).
    int errorNumber() const { return m_error; }

    static constexpr qint64 kReadBlock = 256 * 1024;

private:
    enum class Stage { Head, Attachment, Tail, Done };
    QByteArray readAttachmentBlock();
    QByteArray convertLines(const char* data, qsizetype size);

    QByteArray m_head;
    QString m_attachmentPath;
    QByteArray m_tail;
    QFile m_file;
    Stage m_stage = Stage::Head;
    bool m_lineStart = true; // the next byte starts a line
    bool m_afterCr = false;  // the last byte was CR, so a following LF belongs to it
    int m_error = 0;
};
