#include "ctrlcodec.h"
#include "sipaddress.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Frames = QList<QByteArray>;

class TestSipHostCodec : public QObject {
    Q_OBJECT

private slots:
    void netstrings_data() {
        QTest::addColumn<Frames>("chunks");
        QTest::addColumn<Frames>("frames");
        QTest::addColumn<bool>("failed");
        QTest::newRow("two in one read") << Frames{"1:a,2:bc,"} << Frames{"a", "bc"} << false;
        QTest::newRow("split in the length and the body")
            << Frames{"1", "0:01234", "56789", ",0:,"} << Frames{"0123456789", ""} << false;
        QTest::newRow("incomplete waits") << Frames{"5:ab"} << Frames{} << false;
        QTest::newRow("no comma") << Frames{"3:abcd,"} << Frames{} << true;
        QTest::newRow("letters in the length") << Frames{"1:a,x3:abc,"} << Frames{"a"} << true;
        QTest::newRow("no length") << Frames{":abc,"} << Frames{} << true;
        QTest::newRow("oversized") << Frames{"99999999"} << Frames{} << true;
        QTest::newRow("over the limit") << Frames{"2000000:"} << Frames{} << true;
    }
    void netstrings() {
        QFETCH(Frames, chunks);
        NetstringReader reader;
        Frames read;
        for (const QByteArray& chunk : chunks) {
            reader.feed(chunk);
            while (const auto frame = reader.next())
                read.append(*frame);
        }
        QTEST(read, "frames");
        QTEST(reader.failed(), "failed");
    }

    void commandAndEvents() {
        NetstringReader reader;
        reader.feed(encodeCommand(u"dial"_s, u"sip:b\"ob@h"_s, u"7"_s));
        QCOMPARE(reader.next().value_or(""),
                 QByteArray("{\"command\":\"dial\",\"params\":\"sip:b\\\"ob@h\",\"token\":\"7\"}"));
        const CtrlMessage event =
            decodeMessage("{\"event\":true,\"type\":\"CALL_INCOMING\",\"class\":\"call\","
                          "\"direction\":\"incoming\",\"peeruri\":\"sip:bob@h:5070\","
                          "\"id\":\"d0fb\",\"param\":\"x\"}");
        QCOMPARE(event.kind, CtrlMessage::Event);
        QCOMPARE(event.type, u"CALL_INCOMING"_s);
        QCOMPARE(event.callId, u"d0fb"_s);
        QCOMPARE(event.peerUri, u"sip:bob@h:5070"_s);
        const CtrlMessage response =
            decodeMessage("{\"response\":true,\"ok\":false,\"data\":\"no call\",\"token\":\"3\"}");
        QVERIFY(response.kind == CtrlMessage::Response && !response.ok);
        QCOMPARE(decodeMessage("[1,2]").kind, CtrlMessage::Invalid);
    }

    void addresses_data() {
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
            << u"sip:e vil\nPONG@example.org"_s << "e%20vil%0APONG"
            << "sip:e%20vil%0APONG@example.org";
    }
    void addresses() {
        QFETCH(QString, uri);
        QFETCH(QString, handle);
        SipAddressBook book(u"<sip:alice@example.org"_s);
        book.add(u"carol"_s, u"sip:carol@pbx.example.net"_s);
        QCOMPARE(book.handleFor(uri), handle);
        QTEST(book.uriFor(handle), "dialled");
    }
};

QTEST_GUILESS_MAIN(TestSipHostCodec)
#include "tst_siphost_codec.moc"
