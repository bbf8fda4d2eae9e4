// The contact list without widgets: host queries, replies, sorting, filtering and actions.
#include "contactstest.h"
#include "testmain.h"

namespace {
const QStringList kThree = {"bob|Friends", "carol|Work", "dave|Friends"};

QStringList queriesFor(const QString& handle) {
    QStringList lines;
    for (const char* property : {"ONLINESTATUS", "FULLNAME", "LASTONLINETIMESTAMP", "COUNTRY"})
        lines << QStringLiteral("GET USER %1 %2").arg(handle, QLatin1String(property));
    return lines;
}
} // namespace

class TestContactCore : public QObject {
    Q_OBJECT
private slots:
    void queriesOnlyWhileSupervisedAndIdle_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<bool>("asks");
        QTest::newRow("Connecting, idle") << "Connecting" << true << true;
        QTest::newRow("Connected") << "Connected" << true << false;
        QTest::newRow("empty label") << "" << true << false;
        QTest::newRow("queue busy") << "Connecting" << false << false;
    }
    void queriesOnlyWhileSupervisedAndIdle() {
        QFETCH(QString, status);
        QFETCH(bool, idle);
        QFETCH(bool, asks);
        Contacts contacts(kThree);
        contacts.linkStatus = status;
        contacts.idle = idle;
        contacts.core.poller().Timer1_Timer();
        QCOMPARE(contacts.sent, asks ? queriesFor("bob") : QStringList());
        QVERIFY(contacts.core.poller().timer1().isActive());
        QVERIFY(contacts.core.poller().timer2().isActive());
    }

    void refreshPutsTheOldestBackInLine() {
        Contacts contacts({"bob|F", "bad handle|F", "carol|F", "dave|F"});
        ContactPoller& poller = contacts.core.poller();
        poller.Timer2_Timer(); // nothing asked yet: nothing to refresh
        for (int tick = 0; tick < 4; ++tick)
            poller.Timer1_Timer();
        QCOMPARE(contacts.sent, queriesFor("bob") + queriesFor("carol") + queriesFor("dave"));
        QCOMPARE(contacts.test.console.consoleLines().size(), 1); // the handle is not printed
        QVERIFY(!contacts.test.console.consoleLines().first().contains("bad"));
        contacts.sent.clear();
        poller.Timer2_Timer();
        poller.Timer1_Timer();
        QCOMPARE(contacts.sent, queriesFor("bob"));
        QCOMPARE(contacts.contact("bob").QueriedAt, 4);
        poller.Timer2_Timer(); // now carol (2) is the oldest
        QCOMPARE(contacts.contact("carol").QueriedAt, 0);
    }

    void repliesFillTheContact_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("drawn");
        auto row = [](const char* name, const char* line, const char* field, QVariant value,
                      bool drawn) { QTest::newRow(name) << line << field << value << drawn; };
        row("double blank", "USER bob FULLNAME Bob  Marley", "FullName", "Bob  Marley", true);
        row("country", "USER bob COUNTRY United States", "Country", "United", true);
        row("status", "USER bob ONLINESTATUS ONLINE", "OnlineStatus", "ONLINE", true);
        row("not a number", "USER bob LASTONLINETIMESTAMP abc", "LastOnline", qint64(0), true);
        row("past 32 bits", "USER bob LASTONLINETIMESTAMP 4294967296", "LastOnline",
            qint64(4294967296), true);
        row("negative", "USER bob LASTONLINETIMESTAMP -1", "LastOnline", qint64(-1), true);
        row("other case", "USER BOB ONLINESTATUS ONLINE", "OnlineStatus", QString(), false);
        row("three words", "USER bob ONLINESTATUS", "OnlineStatus", QString(), false);
        row("other property", "USER bob BUDDYSTATUS 3", "FullName", QString(), true);
    }
    void repliesFillTheContact() {
        QFETCH(QString, line);
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(bool, drawn);
        Contacts contacts({"bob|F", "BOB|G"});
        contacts.core.chooseDisplayGroup(int(contacts.core.displayItems().indexOf("F")));
        QSignalSpy changed(&contacts.core.model(), &QAbstractItemModel::dataChanged);
        contacts.reply(line);
        contacts.reply(line.replace(" bob ", " BOB ")); // BOB is not shown: no row to draw
        const ContactRecord& bob = contacts.contact("bob");
        const QVariantMap fields{{"FullName", bob.FullName},
                                 {"Country", bob.Country},
                                 {"OnlineStatus", bob.OnlineStatus},
                                 {"LastOnline", bob.LastOnline}};
        QCOMPARE(fields.value(field), value);
        QCOMPARE(changed.size(), drawn ? 1 : 0);
    }

    void onlineRowsGreenSelectedRowYellowAndLocalTimes() {
        Contacts contacts(kThree);
        contacts.reply("USER carol ONLINESTATUS ONLINE");
        contacts.reply("USER carol LASTONLINETIMESTAMP 1700000000"); // TZ is JST-9
        contacts.core.selectRow(1);
        const ContactGridModel& model = contacts.core.model();
        auto colour = [&](int row, int column) {
            return model.index(row, column).data(Qt::BackgroundRole).value<QColor>();
        };
        QCOMPARE(colour(1, 2), QColor(128, 255, 128));
        QCOMPARE(colour(1, 3), QColor(255, 255, 64));
        QCOMPARE(colour(0, 0), QColor(Qt::white));
        QCOMPARE(model.index(1, 5).data().toString(), QString("2023/11/15 07:13.20"));
        QCOMPARE(model.index(0, 5).data().toString(), QString());
    }

    void sortAndFilterKeepTheSelectionOnItsContact() {
        Contacts contacts({"dave|F", "bob|All", "carol|F", "amy|G", "Zed|F"});
        QCOMPARE(contacts.rows(), QStringList({"Zed", "amy", "bob", "carol", "dave"}));
        contacts.core.selectRow(2);
        contacts.core.headerClicked(0);
        QCOMPARE(contacts.core.model().headerText(0), QString("NAME -"));
        QCOMPARE(contacts.rows(), QStringList({"dave", "carol", "bob", "amy", "Zed"}));
        QCOMPARE(contacts.selected(), QString("bob"));
        contacts.core.headerClicked(4); // GROUP ascending; ties keep their order
        QCOMPARE(contacts.core.model().headerText(0), QString("NAME"));
        QCOMPARE(contacts.core.model().headerText(4), QString("GROUP +"));
        QCOMPARE(contacts.rows(), QStringList({"bob", "dave", "carol", "Zed", "amy"}));
        QCOMPARE(contacts.core.displayItems(), QStringList({"All", "F", "G", "All"}));
        contacts.core.chooseDisplayGroup(3); // the group called "All" on its own
        QCOMPARE(contacts.rows(), QStringList({"bob"}));
        QCOMPARE(contacts.selected(), QString("bob"));
        contacts.core.chooseDisplayGroup(1);
        QCOMPARE(contacts.selected(), QString());
        contacts.core.Command1_Click(); // the saved order and the query order follow the sort
        QCOMPARE(contacts.test.settings.read("Contact", "0000"), QString("bob"));
        contacts.core.poller().Timer1_Timer();
        QCOMPARE(contacts.sent.first(), QString("GET USER bob ONLINESTATUS"));
    }

    void addRefusesEmptyTakenAndUnsafeHandles() {
        Contacts contacts(kThree);
        contacts.core.setGroupText("Work");
        for (const char* typed : {"", "bob", "a b", "a,b", "a\tb", "a\nb"}) {
            contacts.core.setContactText(typed);
            contacts.core.Command2_Click();
            QCOMPARE(contacts.core.contactText(), QString());
        }
        QCOMPARE(contacts.test.prompts.messages().size(), 4);
        contacts.core.setContactText("eve");
        contacts.core.setGroupText("");
        QVERIFY(!contacts.core.addEnabled());
        contacts.core.Command2_Click();
        QCOMPARE(contacts.core.list().count(), 3);
        contacts.core.setContactText("Eve");
        contacts.core.setGroupText("Home");
        QVERIFY(contacts.core.addEnabled());
        contacts.core.Command2_Click();
        QCOMPARE(contacts.rows().first(), QString("Eve"));
        QCOMPARE(contacts.core.groups(), QStringList({"Home", "Friends", "Work"}));
        QCOMPARE(contacts.core.groupText(), QString("Home"));
        QVERIFY(contacts.core.hasUnsavedChanges());
    }

    void delRemovesTheSelectedRecordCallSendsItsHandle() {
        Contacts contacts({" bob|F", "bob|F", "carol|G"});
        QVERIFY(!contacts.core.rowActionsEnabled());
        contacts.core.selectRow(0);
        contacts.core.Command4_Click(); // " bob" never goes onto a command line
        QVERIFY(contacts.sent.isEmpty());
        contacts.core.Command3_Click();
        QCOMPARE(contacts.rows(), QStringList({"bob", "carol"}));
        QCOMPARE(contacts.selected(), QString("bob"));
        contacts.core.Command4_Click();
        QCOMPARE(contacts.sent, QStringList({"CALL bob"}));
        contacts.core.selectRow(1);
        contacts.core.Command3_Click(); // the last row: the selection moves up
        QCOMPARE(contacts.selected(), QString("bob"));
        contacts.core.chooseDisplayGroup(1);
        contacts.core.selectRow(0);
        contacts.core.Command3_Click(); // the group's only contact: "All" is shown
        QCOMPARE(contacts.core.displayItem(), 0);
        QCOMPARE(contacts.core.list().count(), 0);
        QVERIFY(!contacts.core.rowActionsEnabled());
    }

    void shutDownSavesOnlyAChangedList() {
        Contacts contacts(kThree);
        contacts.test.settings.write("Contact", "DisplayGroup", "Work");
        contacts.core.saveIfChanged();
        QCOMPARE(contacts.test.settings.read("Contact", "DisplayGroup"), QString("Work"));
        contacts.core.headerClicked(0);
        contacts.core.saveIfChanged();
        QCOMPARE(contacts.test.settings.read("Contact", "0000"), QString("dave"));
        QVERIFY(!contacts.core.hasUnsavedChanges());
    }
};

QUENLARK_TEST_MAIN(TestContactCore)
#include "tst_contactcore.moc"
