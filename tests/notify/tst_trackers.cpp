// The chat and call trackers on a recording link: exact commands, the once-only decision,
// announce back, control messages, and lines a host should never send.
#include "testmain.h"
#include "trackerrig.h"

#include "notify/trackedrows.h"

#include <QAbstractItemModelTester>
#include <QFile>

namespace {
const QString kCr = QStringLiteral("\r");
} // namespace

class TestTrackers : public QObject {
    Q_OBJECT

private slots:
    // What the trackers ask the host for each line; lines they must ignore ask nothing.
    void queriesForEachLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("queries");
        const QStringList none;
        QTest::newRow("chat") << "CHATMESSAGE 12 STATUS RECEIVED"
                              << QStringList{"GET CHATMESSAGE 12 FROM_HANDLE",
                                             "GET CHATMESSAGE 12 BODY"};
        QTest::newRow("old kind") << "MESSAGE 12 STATUS RECEIVED"
                                  << QStringList{"GET MESSAGE 12 PARTNER_HANDLE",
                                                 "GET MESSAGE 12 BODY"};
        QTest::newRow("zeros, blanks")
            << "  CALL 007 STATUS RINGING " << QStringList{"GET CALL 7 PARTNER_HANDLE"};
        QTest::newRow("largest id") << "CALL 2147483647 STATUS RINGING"
                                    << QStringList{"GET CALL 2147483647 PARTNER_HANDLE"};
        for (const char* line :
             {"CHATMESSAGE 12 STATUS SENT", "chatmessage 12 STATUS RECEIVED",
              "CHATMESSAGE 12 STATUS", "CHATMESSAGE x1 STATUS RECEIVED",
              "CHATMESSAGE 2147483648 STATUS RECEIVED", "CHATMESSAGE  12 STATUS RECEIVED",
              "CALL -3 STATUS RINGING", "CALL +3 STATUS RINGING", "CALL 3 STATUS",
              "CHATMESSAGE 1 BODY    ", "USERS ", "", "    "})
            QTest::newRow(line) << QString::fromLatin1(line) << none;
    }
    void queriesForEachLine() {
        QFETCH(QString, line);
        QFETCH(QStringList, queries);
        TrackerRig rig;
        rig.recipients.add(QStringLiteral("carol"));
        rig.host(line);
        QCOMPARE(rig.sent, queries);
        if (queries.isEmpty())
            QCOMPARE(rig.calls.table().size() + rig.messages.table().size(), 0);
    }

    // The report's exact text: own handle, a lone CR, the text unchanged, recipients in order.
    void chatIsReportedToEachRecipientInOrder_data() {
        QTest::addColumn<QStringList>("recipients");
        QTest::addColumn<QString>("body");
        QTest::newRow("two") << QStringList{"carol", "dave"} << "see you  at 8";
        QTest::newRow("duplicates") << QStringList{"carol", "carol"} << "x";
        QTest::newRow("non-ASCII") << QStringList{"carol"} << QString::fromUtf8("今晩は 😀");
        QTest::newRow("own handle") << QStringList{"alice"} << " leading blank";
    }
    void chatIsReportedToEachRecipientInOrder() {
        QFETCH(QStringList, recipients);
        QFETCH(QString, body);
        TrackerRig rig;
        rig.switches.announce = false;
        for (const QString& r : recipients)
            rig.recipients.add(r);
        rig.chat(44, QStringLiteral("bob"), body);
        QStringList expected;
        for (const QString& r : recipients)
            expected << QStringLiteral("MESSAGE ") + r +
                            QStringLiteral(" =Quenlark= Send alice Status [RECEIVE MESSAGE From "
                                           "bob]") +
                            kCr + body;
        QCOMPARE(rig.chatsSent(), expected);
    }

    // Whatever order the replies come in, and however often the host repeats itself, one
    // report; a reply nobody asked for is kept but reports nothing.
    void chatIsDecidedOnceAndOnlyWhenReceived() {
        TrackerRig rig;
        rig.recipients.add(QStringLiteral("carol"));
        rig.host(QStringLiteral("CHATMESSAGE 9 BODY hi"));
        rig.host(QStringLiteral("CHATMESSAGE 9 FROM_HANDLE bob"));
        QVERIFY(rig.chatsSent().isEmpty());
        QCOMPARE(rig.messages.table().rowAt(0).body, QStringLiteral("hi"));
        rig.chat(9, QStringLiteral("bob"), QStringLiteral("hi"));
        rig.chat(9, QStringLiteral("bob"), QStringLiteral("hi"));
        QCOMPARE(rig.chatsSent().size(), 1);
        QCOMPARE(rig.sent.count(QStringLiteral("GET CHATMESSAGE 9 BODY")), 2);
        QVERIFY(rig.messages.table().rowAt(0).handled);
    }

    void announceBackFollowsItsRule_data() {
        QTest::addColumn<bool>("masterSwitch");
        QTest::addColumn<QString>("handle");
        QTest::addColumn<bool>("onlyFriends");
        QTest::addColumn<QString>("friendsLine");
        QTest::addColumn<QString>("announced"); // empty: nothing sent
        const QString toBob = QStringLiteral("MESSAGE bob =Quenlark= Please messageback to zed");
        QTest::newRow("on") << true << "zed" << false << "" << toBob;
        QTest::newRow("blanks trimmed") << true << "  zed " << false << "" << toBob;
        QTest::newRow("switch off") << false << "zed" << false << ""
                                    << "";
        QTest::newRow("blank handle") << true << "   " << false << ""
                                      << "";
        QTest::newRow("friends, no list") << true << "zed" << true << ""
                                          << "";
        QTest::newRow("friend") << true << "zed" << true << "USERS carol, bob" << toBob;
        QTest::newRow("friend differs in case") << true << "zed" << true << "USERS Bob"
                                                << "";
    }
    void announceBackFollowsItsRule() {
        QFETCH(bool, masterSwitch);
        QFETCH(QString, handle);
        QFETCH(bool, onlyFriends);
        QFETCH(QString, friendsLine);
        QFETCH(QString, announced);
        TrackerRig rig; // no recipients: a chat is still announced back
        rig.switches.announce = masterSwitch;
        rig.announceBack.setCallbackHandle(handle);
        rig.announceBack.setOnlyToFriends(onlyFriends);
        rig.host(friendsLine);
        rig.chat(3, QStringLiteral("bob"), QStringLiteral("hello"));
        QCOMPARE(rig.chatsSent(), announced.isEmpty() ? QStringList{} : QStringList{announced});
    }

    // Control messages and our own reports are never reported or announced; a control
    // message is marked read once.
    void controlMessagesAndOwnReportsAreNotReported_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("marker alone") << "@@Quenlark@@" << QStringList{"SET MESSAGE 5 SEEN"};
        QTest::newRow("switched-off feature")
            << "@@Quenlark@@ AutoAnswer GETLIST k" << QStringList{"SET MESSAGE 5 SEEN"};
        QTest::newRow("own report")
            << "=Quenlark= Send carol Status [RECEIVE CALL From x]" << QStringList{};
        QTest::newRow("own announcement") << "=Quenlark= Please callback to y" << QStringList{};
    }
    void controlMessagesAndOwnReportsAreNotReported() {
        QFETCH(QString, body);
        QFETCH(QStringList, sent);
        TrackerRig rig;
        rig.recipients.add(QStringLiteral("carol"));
        rig.announceBack.setCallbackHandle(QStringLiteral("zed"));
        rig.chat(5, QStringLiteral("bob"), body);
        QCOMPARE(rig.chatsSent(), sent);
        QVERIFY(rig.messages.table().rowAt(0).handled);
    }

    void chatTrackerTrimsTheLineForLaterTargets() {
        TrackerRig rig;
        QString line = QStringLiteral("  PONG  ");
        rig.messages.SetSkypeResponse(line);
        QCOMPARE(line, QStringLiteral("PONG"));
    }

    // A writer cannot forge a line of the trace log through its handle or its words.
    void logLineEscapesControlCharacters() {
        TrackerRig rig;
        rig.host(QStringLiteral("CHATMESSAGE 8 STATUS RECEIVED"));
        rig.host(QStringLiteral("CHATMESSAGE 8 FROM_HANDLE bob\r\n>>> forged"));
        rig.host(QStringLiteral("CHATMESSAGE 8 BODY a\nb c"));
        QFile log(rig.test.log.filePath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray("MessageForm.CheckMesssageInfoAndBroadcast:"
                                           "CheckMesssageInfoAndBroadcast:[bob\\r\\n>>>][a\\nb]"
                                           "\r\n"));
    }

    // Reported once, also when another query fetched the handle before the call rang.
    void incomingCallIsReportedOnceByChatMailAndAnnouncement() {
        TrackerRig rig;
        rig.host(QStringLiteral("CALL 31 PARTNER_HANDLE bob"));
        rig.recipients.add(QStringLiteral("carol"));
        rig.recipients.add(QStringLiteral("dave"));
        rig.announceBack.setCallbackHandle(QStringLiteral("zed"));
        rig.host(QStringLiteral("CALL 31 STATUS RINGING"));
        rig.host(QStringLiteral("CALL 31 STATUS RINGING"));
        QCOMPARE(rig.sent,
                 (QStringList{"GET CALL 31 PARTNER_HANDLE", "GET CALL 31 PARTNER_HANDLE"}));
        rig.host(QStringLiteral("CALL 31 PARTNER_HANDLE bob"));
        rig.host(QStringLiteral("CALL 31 PARTNER_HANDLE bob"));
        rig.host(QStringLiteral("CALL 31 STATUS MISSED"));
        const QString report =
            QStringLiteral("=Quenlark= Send alice Status [RECEIVE CALL From bob]");
        QCOMPARE(rig.chatsSent(), (QStringList{"MESSAGE carol " + report, "MESSAGE dave " + report,
                                               "MESSAGE bob =Quenlark= Please callback to zed"}));
        QCOMPARE(rig.mails, QStringList{report});
        QVERIFY(rig.calls.IsRecievedCall(31));
        QCOMPARE(rig.calls.table().rowAt(0).lastStatus, QStringLiteral("MISSED"));
    }

    void callsThatAreNotReported_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("recipients");
        QTest::addColumn<bool>("handled");
        QTest::newRow("outgoing") << QStringList{"CALL 4 STATUS ROUTING", "CALL 4 STATUS RINGING",
                                                 "CALL 4 PARTNER_HANDLE bob"}
                                  << true << true;
        QTest::newRow("no recipients")
            << QStringList{"CALL 4 STATUS RINGING", "CALL 4 PARTNER_HANDLE bob"} << false << false;
        QTest::newRow("handle without status")
            << QStringList{"CALL 4 PARTNER_HANDLE bob"} << true << false;
        QTest::newRow("unknown property")
            << QStringList{"CALL 4 STATUS RINGING", "CALL 4 PARTNER_DISPNAME bob"} << true << false;
    }
    void callsThatAreNotReported() {
        QFETCH(QStringList, lines);
        QFETCH(bool, recipients);
        QFETCH(bool, handled);
        TrackerRig rig;
        if (recipients)
            rig.recipients.add(QStringLiteral("carol"));
        rig.announceBack.setCallbackHandle(QStringLiteral("zed"));
        for (const QString& line : lines)
            rig.host(line);
        QVERIFY(rig.chatsSent().isEmpty());
        QVERIFY(rig.mails.isEmpty());
        QCOMPARE(rig.calls.table().rowAt(0).handled, handled);
    }

    void tablesAreModelsThatShowHandledRowsBlue() {
        TrackerRig rig;
        QAbstractItemModelTester chats(&rig.messages.table());
        QAbstractItemModelTester calls(&rig.calls.table());
        rig.recipients.add(QStringLiteral("carol"));
        rig.chat(1, QStringLiteral("bob"), QStringLiteral("hi"));
        rig.ring(2, QStringLiteral("bob"));
        rig.host(QStringLiteral("CALL 3 STATUS RINGING"));
        for (QAbstractItemModel* table : {static_cast<QAbstractItemModel*>(&rig.messages.table()),
                                          static_cast<QAbstractItemModel*>(&rig.calls.table())})
            QCOMPARE(table->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::blue));
        QVERIFY(!rig.calls.table().index(1, 0).data(Qt::BackgroundRole).isValid());
    }

    // A program left running keeps the latest calls and chats only; each is still decided once.
    void tablesKeepTheLatestRows() {
        TrackerRig rig;
        rig.switches.announce = false;
        rig.recipients.add(QStringLiteral("carol"));
        const int count = TrackedRows::kKeptRows + TrackedRows::kDroppedRows + 1;
        for (int id = 1; id <= count; ++id) {
            rig.chat(id, QStringLiteral("bob"), QStringLiteral("hi"));
            rig.ring(id, QStringLiteral("bob"));
        }
        rig.chat(count, QStringLiteral("bob"), QStringLiteral("hi"));
        rig.ring(count, QStringLiteral("bob"));
        QCOMPARE(rig.chatsSent().size(), 2 * count);
        for (int table = 0; table < 2; ++table) {
            const int size = table ? rig.calls.table().size() : rig.messages.table().size();
            QCOMPARE(size, TrackedRows::kKeptRows - TrackedRows::kDroppedRows + 1);
            const auto rowOf = [&](qint32 id) {
                return table ? rig.calls.table().rowOf(id) : rig.messages.table().rowOf(id);
            };
            QCOMPARE(rowOf(1), -1);
            QCOMPARE(rowOf(count), size - 1);
            QCOMPARE(rowOf(count - size + 1), 0);
        }
    }

    void hugeBodyIsReportedOnceWhole() {
        TrackerRig rig;
        rig.switches.announce = false;
        rig.recipients.add(QStringLiteral("carol"));
        const QString body(1 << 20, u'x');
        rig.chat(2147483647, QStringLiteral("bob"), body);
        QCOMPARE(rig.chatsSent().size(), 1);
        QVERIFY(rig.chatsSent().first().endsWith(kCr + body));
        QCOMPARE(rig.messages.table().data(rig.messages.table().index(0, 2)).toString().size(),
                 MessageTable::kShownChars);
    }

    // A chat whose text begins with "USERS " is no friends list.
    void friendsComeOnlyFromUsersLines() {
        TrackerRig rig;
        rig.friends.SearchFriends();
        rig.friends.SearchFriends();
        QCOMPARE(rig.sent, QStringList{"SEARCH FRIENDS"});
        rig.host(QStringLiteral("USERS bob, carol ,dave"));
        QCOMPARE(rig.friends.rows(), (QStringList{"bob", "carol", "dave"}));
        rig.host(QStringLiteral("CHATMESSAGE 3 BODY USERS mallory"));
        QVERIFY(!rig.friends.IsFriend(QStringLiteral("mallory")));
        rig.host(QStringLiteral("USERS "));
        QCOMPARE(rig.friends.rows(), (QStringList{"", "", ""}));
        QVERIFY(!rig.friends.IsFriend(QStringLiteral("bob")));
    }
};

QUENLARK_TEST_MAIN(TestTrackers)
#include "tst_trackers.moc"
