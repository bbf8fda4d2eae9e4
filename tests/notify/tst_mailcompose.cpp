#include "notify/base64lib.h"
#include "notify/jisconv.h"
#include "notify/mailcompose.h"
#include "notify/mailmessagestream.h"
#include "testmain.h"
#include "testservices.h"

#include <QRandomGenerator>
#include <QTimeZone>

class TestMailCompose : public QObject {
    Q_OBJECT
private slots:
    void mailTextSwitchesCharacterSets_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("jis");
        QTest::newRow("ascii unchanged") << "Call from bob." << QByteArray("Call from bob.");
        // Both Shift-JIS lead ranges, odd and even rows, low bytes either side of 0x7F.
        QTest::newRow("kanji, no escape back") << "亜魁漾字" << QByteArray("\x1b$B0!3!_!;z");
        QTest::newRow("kanji then half-width kana") << "漢ｱ" << QByteArray("\x1b$B4A\x1b(I\x31");
        QTest::newRow("line break closes kanji run")
            << "あ\r\nb" << QByteArray("\x1b$B$\"\x1b(J\r\nb");
        QTest::newRow("outside cp932 becomes ?") << "a😀é" << QByteArray("a??");
    }
    void mailTextSwitchesCharacterSets() {
        QFETCH(QString, text);
        QTEST(JisCode::ToMailJis(text), "jis");
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
        // The layout built the slow, obvious way: 72 characters a line, CRLF after full ones.
        const QByteArray plain = source.toBase64();
        QByteArray expected;
        for (qsizetype i = 0; i < plain.size(); i += 72)
            expected += plain.mid(i, 72) + (i + 72 <= plain.size() ? "\r\n" : "");
        const QString in = writeTestFile(ts.tempPath() + "/in.wav", source);
        const QString out = writeTestFile(ts.tempPath() + "/out.b64", "stale contents");
        QVERIFY(Base64Lib::EncodeFile(in, out));
        QFile encoded(out);
        QVERIFY(encoded.open(QIODevice::ReadOnly));
        QCOMPARE(encoded.readAll(), expected);
        QCOMPARE(expected.size(), Base64Lib::EncodedSize(size));
        QVERIFY(!Base64Lib::EncodeFile(ts.tempPath() + "/none.wav", out));
        // Encoding a file onto itself refuses and keeps the recording.
        QVERIFY(!Base64Lib::EncodeFile(in, ts.tempPath() + "/./in.wav"));
        QFile kept(in);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), source);
    }

    void headerCarriesFromAndDateAndNoInjectedLines() {
        const QDateTime now(QDate(2005, 6, 14), QTime(9, 30, 5), QTimeZone(9 * 3600));
        const QByteArray header =
            MailCompose::PlainHeader("a@x.org", "b@y.org\r\nBcc: victim@z.org", now);
        QVERIFY(header.contains("\r\nFrom: a@x.org\r\nDate: Tue, 14 Jun 2005 09:30:05 +0900\r\n"));
        QVERIFY(header.contains("\r\nTo: b@y.org Bcc: victim@z.org\r\n"));
        QVERIFY(!header.contains("\nBcc"));
        QCOMPARE(MailCompose::Rfc5322Date(
                     QDateTime(QDate(2026, 1, 5), QTime(23, 0, 0), QTimeZone(-(3 * 3600 + 1800)))),
                 QByteArray("Mon, 5 Jan 2026 23:00:00 -0330"));
    }

    void boundaryOnlyForAttachmentsAndNewEachMail() {
        TestServices ts;
        QVERIFY(MailCompose::BuildHeaderBlock("a", "b", QString(), ts.clock).boundary.isEmpty());
        const QByteArray first =
            MailCompose::BuildHeaderBlock("a", "b", "x.wav", ts.clock).boundary;
        QVERIFY(first.size() > 20);
        QVERIFY(first != MailCompose::BuildHeaderBlock("a", "b", "x.wav", ts.clock).boundary);
    }

    void linesGoOutWithCrlfAndStuffedDots_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("mixed line ends, last line open")
            << QByteArray("ab\r\n.cd\nef\rgh") << QByteArray("ab\r\n..cd\r\nef\r\ngh\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        const QByteArray longLine(MailMessageStream::kReadBlock - 1, 'A');
        QTest::newRow("CRLF split across blocks")
            << longLine + "\r\n.B" << longLine + "\r\n..B\r\n";
    }
    void linesGoOutWithCrlfAndStuffedDots() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, sent);
        TestServices ts;
        MailMessageStream stream("HEAD\r\n", writeTestFile(ts.tempPath() + "/a.b64", file),
                                 "TAIL\r\n");
        QVERIFY(stream.open());
        QByteArray all;
        while (!stream.atEnd())
            all += stream.next();
        QCOMPARE(all, "HEAD\r\n" + sent + "TAIL\r\n");
    }
    void plainMessageEndsWithDotLine() {
        QCOMPARE(MailCompose::PlainMessage("H: 1\r\n", "Hi", "one\n.\n..two"),
                 QByteArray("H: 1\r\nSubject: Hi\r\n\r\none\r\n..\r\n...two\r\n.\r\n"));
    }
};

QUENLARK_TEST_MAIN(TestMailCompose)
#include "tst_mailcompose.moc"
