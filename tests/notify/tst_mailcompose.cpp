#include "notify/base64lib.h"
#include "notify/jisconv.h"
#include "notify/mailcompose.h"
#include "notify/mailmessagestream.h"
#include "testmain.h"
#include "testservices.h"

#include <QRandomGenerator>
#include <QTimeZone>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The file layout built the slow, obvious way: 72 characters a line, CRLF after each full one.
QByteArray referenceBase64(const QByteArray& source) {
    const QByteArray plain = source.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < plain.size(); i += 72) {
        out += plain.mid(i, 72);
        if (i + 72 <= plain.size())
            out += "\r\n";
    }
    return out;
}

QByteArray drain(MailMessageStream& stream) {
    QByteArray all;
    while (!stream.atEnd())
        all += stream.next();
    return all;
}

} // namespace

class TestMailCompose : public QObject {
    Q_OBJECT
private slots:
    void sjisToJisFollowsTheRows_data() {
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("jis");
        QTest::newRow("hiragana a") << 0x82 << 0xA0 << 0x2422;
        QTest::newRow("first kanji") << 0x88 << 0x9F << 0x3021;
        QTest::newRow("odd row, low below 0x7F") << 0x8A << 0x40 << 0x3321;
        QTest::newRow("second lead range") << 0xE0 << 0x40 << 0x5F21;
        QTest::newRow("even row") << 0x8E << 0x9A << 0x3B7A;
    }
    void sjisToJisFollowsTheRows() {
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(int, jis);
        const JisCode::JisPair pair = JisCode::SJISTOJIS(uchar(high), uchar(low));
        QCOMPARE((pair.high << 8) | pair.low, jis);
    }

    void mailTextSwitchesCharacterSets_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("jis");
        QTest::newRow("ascii unchanged") << "Call from bob." << QByteArray("Call from bob.");
        QTest::newRow("two kanji, no escape back") << "漢字" << QByteArray("\x1b$B4A;z");
        QTest::newRow("kanji then half-width kana") << "漢ｱ" << QByteArray("\x1b$B4A\x1b(I\x31");
        QTest::newRow("line break closes kanji run")
            << "あ\r\nb" << QByteArray("\x1b$B$\"\x1b(J\r\nb");
        QTest::newRow("outside cp932 becomes ?") << "a😀é" << QByteArray("a??");
    }
    void mailTextSwitchesCharacterSets() {
        QFETCH(QString, text);
        QFETCH(QByteArray, jis);
        QCOMPARE(JisCode::ToMailJis(text), jis);
    }

    void base64FileMatchesReferenceLayout_data() {
        QTest::addColumn<int>("size");
        for (int size : {0, 1, 2, 3, 52, 53, 54, 55, 108, 1000, 3 * 1024 * 1024 + 7})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void base64FileMatchesReferenceLayout() {
        QFETCH(int, size);
        TestServices ts;
        QByteArray source(size, Qt::Uninitialized);
        for (char& c : source)
            c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        const QString in = writeTestFile(ts.tempPath() + "/in.wav", source);
        const QString out = writeTestFile(ts.tempPath() + "/out.b64", "stale contents");
        QVERIFY(Base64Lib::EncodeFile(in, out));
        const QByteArray encoded = readAll(out);
        QCOMPARE(encoded, referenceBase64(source));
        QCOMPARE(encoded.size(), Base64Lib::EncodedSize(size));
    }

    void base64ShortGroupsAndMissingSource() {
        char out[4];
        Base64Lib::EncodeGroup(reinterpret_cast<const uchar*>("M"), 1, out);
        QCOMPARE(QByteArray(out, 4), QByteArray("TQ=="));
        Base64Lib::EncodeGroup(reinterpret_cast<const uchar*>("Ma"), 2, out);
        QCOMPARE(QByteArray(out, 4), QByteArray("TWE="));
        TestServices ts;
        QVERIFY(!Base64Lib::EncodeFile(ts.tempPath() + "/none.wav", ts.tempPath() + "/o.b64"));
    }

    void headerBlocksCarryFromAndDate() {
        TestServices ts;
        const QDateTime now(QDate(2005, 6, 14), QTime(9, 30, 5), QTimeZone(9 * 3600));
        QCOMPARE(MailCompose::PlainHeader("a@x.org", "b@y.org", now),
                 QByteArray("Reply-To: a@x.org\r\nFrom: a@x.org\r\n"
                            "Date: Tue, 14 Jun 2005 09:30:05 +0900\r\n"
                            "X-Mailer: Quenlark\r\nMIME-Version: 1.0\r\nTo: b@y.org\r\n"
                            "Content-Type: text/plain; charset=iso-2022-jp\r\n"
                            "Content-Transfer-Encoding: 7bit\r\nX-Mozilla-Status: 0001\r\n"));
        QVERIFY(
            MailCompose::MultipartHeader("a@x.org", "b@y.org", now, "--B")
                .endsWith("To: b@y.org\r\nContent-Type: multipart/mixed;\r\n boundary=\"--B\"\r\n"
                          "X-Mozilla-Status: 0001\r\n"));
        QCOMPARE(MailCompose::Rfc5322Date(
                     QDateTime(QDate(2026, 1, 5), QTime(23, 0, 0), QTimeZone(-(3 * 3600 + 1800)))),
                 QByteArray("Mon, 5 Jan 2026 23:00:00 -0330"));
        QVERIFY(MailCompose::BuildHeaderBlock("a", "b", QString(), ts.clock).boundary.isEmpty());
    }

    void boundaryIsStampAndTwoRandomNumbers() {
        TestServices ts;
        const QByteArray first =
            MailCompose::BuildHeaderBlock("a", "b", "x.wav", ts.clock).boundary;
        const QByteArray second =
            MailCompose::BuildHeaderBlock("a", "b", "x.wav", ts.clock).boundary;
        const QRegularExpression form(
            QStringLiteral("^-{14}20050614093005[1-9]\\d{0,3}[1-9]\\d{0,3}$"));
        QVERIFY2(form.match(QString::fromLatin1(first)).hasMatch(), first.constData());
        QVERIFY(first != second);
    }

    void fieldLineBreaksCannotAddHeaders() {
        const QByteArray header = MailCompose::PlainHeader(
            "a@x.org", "b@y.org\r\nBcc: victim@z.org", QDateTime::currentDateTime());
        QVERIFY(header.contains("To: b@y.org Bcc: victim@z.org\r\n"));
        QVERIFY(!header.contains("\nBcc"));
    }

    void plainMessageStuffsDotsAndEndsWithDotLine() {
        const QByteArray message = MailCompose::PlainMessage("H: 1\r\n", "Hi", "one\n.\n..two");
        QCOMPARE(message, QByteArray("H: 1\r\nSubject: Hi\r\n\r\none\r\n..\r\n...two\r\n.\r\n"));
    }

    void attachmentLinesGoOutWithCrlfAndStuffedDots_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("mixed line ends, last line open")
            << QByteArray("ab\r\n.cd\nef\rgh") << QByteArray("ab\r\n..cd\r\nef\r\ngh\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        const QByteArray longLine(MailMessageStream::kReadBlock - 1, 'A');
        QTest::newRow("CRLF split across blocks")
            << longLine + "\r\n.B" << longLine + "\r\n..B\r\n";
    }
    void attachmentLinesGoOutWithCrlfAndStuffedDots() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, sent);
        TestServices ts;
        MailMessageStream stream("HEAD\r\n", writeTestFile(ts.tempPath() + "/a.b64", file),
                                 "TAIL\r\n");
        QVERIFY(stream.open());
        QCOMPARE(drain(stream), "HEAD\r\n" + sent + "TAIL\r\n");
    }

    void multipartPiecesNameTheRecording() {
        const QByteArray part =
            MailCompose::AttachmentPartHeader("BND", "/home/u/.local/20050614093005_bob.wav");
        QCOMPARE(part, QByteArray("--BND\r\nContent-Type: audio/x-wav;\r\n"
                                  " name=\"20050614093005_bob.wav\"\r\n"
                                  "Content-Transfer-Encoding: base64\r\n"
                                  "Content-Disposition: inline;\r\n"
                                  " filename=\"20050614093005_bob.wav\"\r\n\r\n"));
        QCOMPARE(MailCompose::MultipartTail("BND"), QByteArray("--BND--\r\n.\r\n"));
        QVERIFY(MailCompose::MultipartHead("H\r\n", "BND", "S", "B")
                    .endsWith("\r\n\r\nThis is a multi-part message in MIME format.\r\n--BND\r\n"
                              "Content-Type: text/plain; charset=ISO-2022-JP\r\n"
                              "Content-Transfer-Encoding: 7bit\r\n\r\nB\r\n"));
    }
};

QUENLARK_TEST_MAIN(TestMailCompose)
#include "tst_mailcompose.moc"
