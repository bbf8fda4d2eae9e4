#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class Clock;

// The layout of the program's mails: header blocks, boundary, the plain message and the
// pieces of a multipart message with a Base64 "audio/x-wav" part. Pure functions of their
// inputs, except the boundary, which takes the clock and its random numbers.
namespace MailCompose {

inline constexpr const char* kMailer = "Quenlark";

struct HeaderBlock {
    QByteArray header;   // the header lines, each ending in CRLF
    QByteArray boundary; // empty for a plain mail
};

// "--------------" + 14-digit local time + two random numbers 1..9999.
QByteArray MakeBoundary(const QDateTime& now, Clock& clock);
// RFC 5322 date: "Tue, 14 Jun 2005 09:30:05 +0900", the local time with its UTC offset.
QByteArray Rfc5322Date(const QDateTime& localTime);

// Header lines of a plain mail (attachment empty) or a multipart mail with that boundary.
QByteArray PlainHeader(const QString& from, const QString& to, const QDateTime& now);
QByteArray MultipartHeader(const QString& from, const QString& to, const QDateTime& now,
                           const QByteArray& boundary);
// Both of the above by the attachment path: multipart exactly when it is not empty.
HeaderBlock BuildHeaderBlock(const QString& from, const QString& to, const QString& attachment,
                             Clock& clock);

// Header text from a field: line breaks would start new header lines or SMTP commands, so
// they become blanks.
QString SingleLine(const QString& text);

// Every line break (CR LF, lone CR, lone LF) as CR LF.
QByteArray NormalizeLineEnds(const QByteArray& text);
// One more "." in front of every line that starts with ".", so no line ends the data early.
QByteArray DotStuff(const QByteArray& text);
// The body as it goes out: ISO-2022-JP, CRLF line ends, dot-stuffed.
QByteArray BodyText(const QString& body);

// The whole plain message, ending in the "." line.
QByteArray PlainMessage(const QByteArray& header, const QString& subject, const QString& body);
// Multipart pieces: header, subject and text part; the attachment part's own header; the
// closing boundary and the "." line. The attachment's lines go between the last two.
QByteArray MultipartHead(const QByteArray& header, const QByteArray& boundary,
                         const QString& subject, const QString& body);
QByteArray AttachmentPartHeader(const QByteArray& boundary, const QString& attachmentPath);
QByteArray MultipartTail(const QByteArray& boundary);

} // namespace MailCompose
