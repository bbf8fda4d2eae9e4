#include "ctrlcodec.h"
#include "sipaddress.h"

#include <QTest>

class TestSipHostCodec : public QObject {
    Q_OBJECT

private slots:
    void netstrings_data();
    void netstrings();
    void commandRoundTrip();
    void event();
    void addresses_data();
    void addresses();
};

void TestSipHostCodec::netstrings_data() {
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::addColumn<bool>("failed");
    QTest::newRow("one") << QList<QByteArray>{"3:abc,"} << QList<QByteArray>{"abc"} << false;
    QTest::newRow("two in one read")
        << QList<QByteArray>{"1:a,2:bc,"} << QList<QByteArray>{"a", "bc"} << false;
    QTest::newRow("split in the length and the body")
        << QList<QByteArray>{"1", "0:01234", "56789", ",0:,"} << QList<QByteArray>{"0123456789", ""}
        << false;
    QTest::newRow("incomplete waits") << QList<QByteArray>{"5:ab"} << QList<QByteArray>{} << false;
    QTest::newRow("no comma") << QList<QByteArray>{"3:abcd,"} << QList<QByteArray>{} << true;
    QTest::newRow("letters in the length")
        << QList<QByteArray>{"1:a,x3:abc,"} << QList<QByteArray>{"a"} << true;
    QTest::newRow("no length") << QList<QByteArray>{":abc,"} << QList<QByteArray>{} << true;
    QTest::newRow("oversized") << QList<QByteArray>{"99999999"} << QList<QByteArray>{} << true;
    QTest::newRow("over the limit") << QList<QByteArray>{"2000000:"} << QList<QByteArray>{} << true;
}

void TestSipHostCodec::netstrings() {
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, frames);
    QFETCH(bool, failed);
    NetstringReader reader;
    QList<QByteArray> read;
    for (const QByteArray& chunk : chunks) {
        reader.feed(chunk);
        while (const auto frame = reader.next())
            read.append(*frame);
    }
    QCOMPARE(read, frames);
    QCOMPARE(reader.failed(), failed);
}

void TestSipHostCodec::commandRoundTrip() {
    NetstringReader reader;
    reader.feed(
        encodeCommand(QStringLiteral("dial"), QStringLiteral("sip:b\"ob@h"), QStringLiteral("7")));
    const auto frame = reader.next();
    QVERIFY(frame);
    const QByteArray expected =
        "{\"command\":\"dial\",\"params\":\"sip:b\\\"ob@h\",\"token\":\"7\"}";
    QCOMPARE(*frame, expected);
}

void TestSipHostCodec::event() {
    const QByteArray incoming = "{\"event\":true,\"type\":\"CALL_INCOMING\",\"class\":\"call\","
                                "\"direction\":\"incoming\",\"peeruri\":\"sip:bob@h:5070\","
                                "\"id\":\"d0fb\",\"param\":\"x\"}";
    const CtrlMessage message = decodeMessage(incoming);
    QCOMPARE(message.kind, CtrlMessage::Event);
    QCOMPARE(message.type, QStringLiteral("CALL_INCOMING"));
    QCOMPARE(message.callId, QStringLiteral("d0fb"));
    QCOMPARE(message.peerUri, QStringLiteral("sip:bob@h:5070"));
    const CtrlMessage response =
        decodeMessage("{\"response\":true,\"ok\":false,\"data\":\"no call\",\"token\":\"3\"}");
    QCOMPARE(response.kind, CtrlMessage::Response);
    QVERIFY(!response.ok);
    QCOMPARE(decodeMessage("[1,2]").kind, CtrlMessage::Invalid);
}

void TestSipHostCodec::addresses_data() {
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QString>("handle");
    QTest::addColumn<QString>("dialled");
    QTest::newRow("own domain") << "sip:bob@example.org"
                                << "bob"
                                << "sip:bob@example.org";
    QTest::newRow("other domain keeps it") << "<sip:bob@127.0.0.1:5070;transport=udp>"
                                           << "bob@127.0.0.1:5070"
                                           << "sip:bob@127.0.0.1:5070";
    QTest::newRow("address book") << "sip:carol@pbx.example.net"
                                  << "carol"
                                  << "sip:carol@pbx.example.net";
    QTest::newRow("blank and control characters stay one word")
        << QStringLiteral("sip:e vil\nPONG@example.org") << "e%20vil%0APONG"
        << "sip:e%20vil%0APONG@example.org";
}

void TestSipHostCodec::addresses() {
    QFETCH(QString, uri);
    QFETCH(QString, handle);
    QFETCH(QString, dialled);
    SipAddressBook book(QStringLiteral("<sip:alice@example.org"));
    book.add(QStringLiteral("carol"), QStringLiteral("sip:carol@pbx.example.net"));
    QCOMPARE(book.handleFor(uri), handle);
    QCOMPARE(book.uriFor(handle), dialled);
}

QTEST_GUILESS_MAIN(TestSipHostCodec)
#include "tst_siphost_codec.moc"
