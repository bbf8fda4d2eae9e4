#include "mailmessagestream.h"

#include <cstring>

MailMessageStream::MailMessageStream(QByteArray message) : m_head(std::move(message)) {}

MailMessageStream::MailMessageStream(QByteArray head, QString attachmentPath, QByteArray tail)
    : m_head(std::move(head)), m_attachmentPath(std::move(attachmentPath)),
      m_tail(std::move(tail)) {}

bool MailMessageStream::open() {
    if (m_attachmentPath.isEmpty())
        return true;
    m_file.setFileName(m_attachmentPath);
    if (m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return true;
    m_error = QFile::exists(m_attachmentPath) ? 75 : 53;
    return false;
}

QByteArray MailMessageStream::next() {
    switch (m_stage) {
    case Stage::Head:
        m_stage = m_attachmentPath.isEmpty() ? Stage::Tail : Stage::Attachment;
        return m_head;
    case Stage::Attachment: {
        const QByteArray block = readAttachmentBlock();
        if (m_error != 0) {
            m_stage = Stage::Done;
            return {};
        }
        return block.isEmpty() ? next() : block;
    }
    case Stage::Tail:
        m_stage = Stage::Done;
        return m_tail;
    case Stage::Done:
        break;
    }
    return {};
}

// The next block of attachment lines; empty at the end of the file (then the stage moves on).
QByteArray MailMessageStream::readAttachmentBlock() {
    QByteArray raw(kReadBlock, Qt::Uninitialized);
    const qint64 got = m_file.read(raw.data(), kReadBlock);
    if (got < 0) {
        m_error = 57;
        return {};
    }
    if (got > 0)
        return convertLines(raw.constData(), got);
    m_file.close();
    m_stage = Stage::Tail;
    // A last line without a line end still goes out as a whole line.
    return m_lineStart ? QByteArray() : QByteArray("\r\n");
}

// Copies whole runs between line ends; every line end (CRLF, CR or LF) becomes CRLF.
QByteArray MailMessageStream::convertLines(const char* data, qsizetype size) {
    QByteArray out;
    out.reserve(size + size / 64 + 8);
    qsizetype i = 0;
    while (i < size) {
        if (m_afterCr) {
            m_afterCr = false;
            if (data[i] == '\n') {
                ++i;
                continue;
            }
        }
        if (m_lineStart && data[i] == '.')
            out.append('.');
        const char* start = data + i;
        const qsizetype left = size - i;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', left));
        const qsizetype limit = lf ? lf - start : left;
        const auto* cr = static_cast<const char*>(std::memchr(start, '\r', limit));
        const qsizetype length = cr ? cr - start : limit;
        out.append(start, length);
        if (length == left) {
            m_lineStart = false; // the line goes on in the next block
            break;
        }
        out.append("\r\n");
        m_lineStart = true;
        m_afterCr = start[length] == '\r';
        i += length + 1;
    }
    return out;
}
