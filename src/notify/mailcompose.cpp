#include "mailcompose.h"

#include "base/genlib.h"
#include "notify/jisconv.h"
#include "platform/clock.h"

namespace MailCompose {
namespace {

constexpr const char* kCrlf = "\r\n";

QByteArray line(const QByteArray& text) {
    return text + kCrlf;
}

QByteArray bytesOf(const QString& field) {
    return SingleLine(field).toUtf8();
}

// The lines both header blocks share before the content type.
QByteArray commonHead(const QString& from, const QString& to, const QDateTime& now) {
    return line("Reply-To: " + bytesOf(from)) + line("From: " + bytesOf(from)) +
           line("Date: " + Rfc5322Date(now)) + line(QByteArray("X-Mailer: ") + kMailer) +
           line("MIME-Version: 1.0") + line("To: " + bytesOf(to));
}

QByteArray subjectLine(const QString& subject) {
    return line("Subject: " + JisCode::ToMailJis(SingleLine(subject)));
}

} // namespace

QByteArray MakeBoundary(const QDateTime& now, Clock& clock) {
    const int first = clock.randomBetween(1, 9999);
    const int second = clock.randomBetween(1, 9999);
    return QByteArray(14, '-') + GEnLib::DateToStamp(now).toLatin1() + QByteArray::number(first) +
           QByteArray::number(second);
}

QByteArray Rfc5322Date(const QDateTime& localTime) {
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    const int offsetMinutes = localTime.offsetFromUtc() / 60;
    const int absMinutes = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    return QString::asprintf("%s, %d %s %04d %02d:%02d:%02d %c%02d%02d",
                             kDays[date.dayOfWeek() - 1], date.day(), kMonths[date.month() - 1],
                             date.year(), time.hour(), time.minute(), time.second(),
                             offsetMinutes < 0 ? '-' : '+', absMinutes / 60, absMinutes % 60)
        .toLatin1();
}

QByteArray PlainHeader(const QString& from, const QString& to, const QDateTime& now) {
    return commonHead(from, to, now) + line("Content-Type: text/plain; charset=iso-2022-jp") +
           line("Content-Transfer-Encoding: 7bit") + line("X-Mozilla-Status: 0001");
}

QByteArray MultipartHeader(const QString& from, const QString& to, const QDateTime& now,
                           const QByteArray& boundary) {
    return commonHead(from, to, now) + line("Content-Type: multipart/mixed;") +
           line(" boundary=\"" + boundary + "\"") + line("X-Mozilla-Status: 0001");
}

HeaderBlock BuildHeaderBlock(const QString& from, const QString& to, const QString& attachment,
                             Clock& clock) {
    const QDateTime now = clock.now();
    if (attachment.isEmpty())
        return {PlainHeader(from, to, now), {}};
    const QByteArray boundary = MakeBoundary(now, clock);
    return {MultipartHeader(from, to, now, boundary), boundary};
}

QString SingleLine(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    result.replace(u'\r', u' ').replace(u'\n', u' ');
    return result;
}

QByteArray NormalizeLineEnds(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + text.size() / 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.append(kCrlf);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

QByteArray DotStuff(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + 8);
    bool lineStart = true;
    for (const char c : text) {
        if (lineStart && c == '.')
            out.append('.');
        out.append(c);
        lineStart = (c == '\n');
    }
    return out;
}

QByteArray BodyText(const QString& body) {
    return DotStuff(NormalizeLineEnds(JisCode::ToMailJis(body)));
}

QByteArray PlainMessage(const QByteArray& header, const QString& subject, const QString& body) {
    return header + subjectLine(subject) + kCrlf + line(BodyText(body)) + line(".");
}

QByteArray MultipartHead(const QByteArray& header, const QByteArray& boundary,
                         const QString& subject, const QString& body) {
    return header + subjectLine(subject) + kCrlf +
           line("This is a multi-part message in MIME format.") + line("--" + boundary) +
           line("Content-Type: text/plain; charset=ISO-2022-JP") +
           line("Content-Transfer-Encoding: 7bit") + kCrlf + line(BodyText(body));
}

QByteArray AttachmentPartHeader(const QByteArray& boundary, const QString& attachmentPath) {
    const QByteArray name = SingleLine(GEnLib::GetFileName(attachmentPath)).toUtf8();
    return line("--" + boundary) + line("Content-Type: audio/x-wav;") +
           line(" name=\"" + name + "\"") + line("Content-Transfer-Encoding: base64") +
           line("Content-Disposition: inline;") + line(" filename=\"" + name + "\"") + kCrlf;
}

QByteArray MultipartTail(const QByteArray& boundary) {
    return line("--" + boundary + "--") + line(".");
}

} // namespace MailCompose
