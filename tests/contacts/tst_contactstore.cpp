// The contact list in the settings store: the real settings file, batching, gaps.
#include "contacts/contactlist.h"
#include "contactstest.h"
#include "platform/qsettingsstore.h"
#include "testmain.h"

class TestContactStore : public QObject {
    Q_OBJECT
private slots:
    void awkwardTextsSurviveTheSettingsFile() {
        const QStringList texts = {"a,b",         "x=y",    "p/q",   "#hash",
                                   ";semi",       "  lead", "tail ", "\"quoted\"",
                                   "back\\slash", "日本語", "a, b",  "[Main]"};
        ContactList list;
        for (int i = 0; i <= 10000; ++i) {
            ContactRecord record;
            record.Handle = i < texts.size() ? texts[i] : QStringLiteral("user%1").arg(i);
            record.Group = texts[i % texts.size()];
            list.append(record);
        }
        TestServices test;
        {
            QSettingsStore store;
            ContactStore::SaveContacts(store, list, QStringLiteral("a, b"));
        }
        QSettingsStore store; // a new reader of the file
        ContactList loaded;
        QCOMPARE(ContactStore::LoadContacts(store, loaded, test.console), QString("a, b"));
        QCOMPARE(loaded.count(), list.count());
        for (int i = 0; i < list.count(); ++i) {
            QCOMPARE(loaded.at(i).Handle, list.at(i).Handle);
            QCOMPARE(loaded.at(i).Group, list.at(i).Group);
        }
        QCOMPARE(store.read("Contact", "10000"), QString("user10000"));
    }

    void aGapEndsTheListAndSavingWritesTheFileOnce() {
        Contacts contacts({"bob|F", "carol|G", "", "dave|H"});
        QCOMPARE(contacts.rows(), QStringList({"bob", "carol"}));
        const int writes = contacts.test.settings.fileWrites();
        contacts.core.Command1_Click();
        QCOMPARE(contacts.test.settings.fileWrites(), writes + 1);
        QCOMPARE(contacts.test.settings.read("Contact", "0003"), QString("dave"));
        QCOMPARE(contacts.test.settings.read("Contact", "DisplayGroup"), QString("All"));
        QCOMPARE(contacts.test.settings.strayDeletes(), 0);
    }
};

QUENLARK_TEST_MAIN(TestContactStore)
#include "tst_contactstore.moc"
