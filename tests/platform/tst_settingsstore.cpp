#include "answering/autoanswersettings.h"
#include "app/mainformkeys.h"
#include "audio/mixerconfig.h"
#include "contacts/contactstore.h"
#include "memorysettingsstore.h"
#include "notify/announceback.h"
#include "notify/broadcastrecipients.h"
#include "notify/mailsender.h"
#include "platform/qsettingsstore.h"
#include "shell/languagedialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QtTest>

#include <functional>
#include <span>

// The real store against the file it writes. Runs without Qt's test-mode paths, so the file
// lands where the program puts it; the test registration gives the run a home of its own.
class TestSettingsStore : public QObject {
    Q_OBJECT
    static QString expectedFile() {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quenlark/Quenlark.conf");
    }
    static QString fileText() {
        QFile file(expectedFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void initTestCase() {
        // Never let this test write into a real user's configuration.
        const QString home = QDir::homePath();
        if (!home.contains(QStringLiteral("testhome")) ||
            !qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(home))
            QSKIP("needs the private HOME and XDG_CONFIG_HOME the test registration sets");
    }

    void init() { QFile::remove(expectedFile()); }

    void fileAndStoreStayInStepBothWays() {
        QSettingsStore store;
        QCOMPARE(store.fileName(), expectedFile());
        QCOMPARE(store.read(QStringLiteral("Main"), QStringLiteral("LogLevel")), QString());
        QVERIFY(!QFile::exists(expectedFile())); // reading creates nothing
        store.write(QStringLiteral("Main"), QStringLiteral("DebugMode"), QStringLiteral("Off"));
        store.write(QStringLiteral("Locale"), QStringLiteral("Language"), QStringLiteral("ja"));
        // Read straight from the file while the store is still alive: nothing waits in memory.
        const QString text = fileText();
        QVERIFY2(text.contains(QStringLiteral("[Main]\nDebugMode=Off\n")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("[Locale]\nLanguage=ja\n")), qPrintable(text));
        // It holds the remote-control key: the user's alone.
        const QFile::Permissions modes = QFile::permissions(expectedFile());
        QVERIFY(modes.testFlag(QFile::ReadOwner) && modes.testFlag(QFile::WriteOwner));
        QVERIFY(!(modes & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther)));
        store.remove(QStringLiteral("Locale"), QStringLiteral("Language"));
        QVERIFY(!fileText().contains(QStringLiteral("Language")));
        // A change made outside the program, even to a key just written, is what reads see.
        QFile file(expectedFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Main]\nDebugMode=On\n[SendMail]\nMailAddress=a@example.org, b@example.org\n");
        file.close();
        QCOMPARE(store.read(QStringLiteral("Main"), QStringLiteral("DebugMode")),
                 QStringLiteral("On"));
        QCOMPARE(store.read(QStringLiteral("SendMail"), QStringLiteral("MailAddress")),
                 QStringLiteral("a@example.org, b@example.org"));
    }

    void valuesRoundTripThroughTheFile_data() {
        QTest::addColumn<QString>("value");
        for (const char* value : {"  padded  ", "alice, bob,carol", "a;b", "k=\"v\"", "@Variant(x)",
                                  "C:\\Users\\a.wav", "#not a comment", "日本語 ÄÖ", "007"})
            QTest::newRow(value) << QString::fromUtf8(value);
    }
    void valuesRoundTripThroughTheFile() {
        QFETCH(QString, value);
        QSettingsStore().write(QStringLiteral("Mail"), QStringLiteral("Value"), value);
        // Fresh readers of the file, as at the next start of the program.
        QSettings reader(expectedFile(), QSettings::IniFormat);
        QCOMPARE(reader.value(QStringLiteral("Mail/Value")).toString(), value);
        QCOMPARE(QSettingsStore().read(QStringLiteral("Mail"), QStringLiteral("Value")), value);
    }

    void helpersApplyDefaultsAndGuardDeletes_data() {
        QTest::addColumn<QString>("stored"); // "<missing>" leaves the key out
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << QStringLiteral("<missing>") << 5;
        QTest::newRow("empty") << QString() << 5;
        QTest::newRow("blanks around") << QStringLiteral(" 3 ") << 3;
        QTest::newRow("negative") << QStringLiteral("-1") << -1;
        QTest::newRow("trailing junk") << QStringLiteral("7x") << 5;
        QTest::newRow("too large") << QStringLiteral("99999999999") << 5;
    }
    void helpersApplyDefaultsAndGuardDeletes() {
        QFETCH(QString, stored);
        QFETCH(int, number);
        const SettingKey key{"Rec", "MaxTerm", "5"};
        const bool missing = stored == QStringLiteral("<missing>");
        MemorySettingsStore store;
        if (!missing)
            store.write(QStringLiteral("Rec"), QStringLiteral("MaxTerm"), stored);
        QCOMPARE(readSetting(store, key),
                 missing || stored.isEmpty() ? QStringLiteral("5") : stored);
        QCOMPARE(readIntSetting(store, key), number);
        deleteIfPresent(store, key);
        QCOMPARE(store.strayDeletes(), 0); // never a delete of a key the store lacks
        QCOMPARE(store.contains(QStringLiteral("Rec"), QStringLiteral("MaxTerm")),
                 stored.isEmpty()); // an empty value reads as missing, so it stays
    }

    void flagsAndSwitchesReadOnlyTheirOwnTexts_data() {
        QTest::addColumn<QString>("stored"); // "<missing>" leaves the key out
        QTest::addColumn<bool>("flag");      // a "0"/"1" check-box state
        QTest::addColumn<bool>("onOff");     // an "On"/"Off" switch
        QTest::newRow("missing") << QStringLiteral("<missing>") << false << false;
        QTest::newRow("1") << QStringLiteral("1") << true << false;
        QTest::newRow("0") << QStringLiteral("0") << false << false;
        QTest::newRow("other number") << QStringLiteral(" 2 ") << true << false;
        QTest::newRow("On") << QStringLiteral("On") << false << true;
        QTest::newRow("on") << QStringLiteral("on") << false << false;
        QTest::newRow("On with blank") << QStringLiteral("On ") << false << false;
    }
    void flagsAndSwitchesReadOnlyTheirOwnTexts() {
        QFETCH(QString, stored);
        const SettingKey key{"Main", "Switch", "0"};
        MemorySettingsStore store;
        if (stored != QStringLiteral("<missing>"))
            store.write(QStringLiteral("Main"), QStringLiteral("Switch"), stored);
        QTEST(readFlag(store, key), "flag");
        QTEST(readOnOff(store, key), "onOff");
        for (const bool on : {true, false}) {
            writeFlag(store, key, on);
            QCOMPARE(store.read(QStringLiteral("Main"), QStringLiteral("Switch")),
                     on ? QStringLiteral("1") : QStringLiteral("0"));
            QCOMPARE(readFlag(store, key), on);
            writeOnOff(store, key, on);
            QCOMPARE(readOnOff(store, key), on);
        }
    }

    // Every key of every section, written through its owner's table and read back by a fresh
    // store from the file. The names and defaults are the stored format: they never change.
    void everyKeyOfEverySectionRoundTrips() {
        struct Section {
            std::span<const SettingKey> keys;
            std::span<const SettingList> lists;
        };
        const Section sections[] = {
            {MainKeys::all, {}},
            {LocaleKeys::all, {}},
            {MixerConfigKeys::all, {}},
            {SendMailKeys::all, {}},
            {AnnounceBackKeys::all, {}},
            {{}, BroadCastStatusKeys::lists},
            {AutoAnswerKeys::all, AutoAnswerKeys::lists},
            {ContactKeys::all, ContactKeys::lists},
        };
        const QStringList format = {
            "Main/SendIMFlag=0",
            "Main/SendMailFlag=0",
            "Main/CallbackAnounceFlag=0",
            "Main/AutoAnswerFlag=0",
            "Main/LogLevel=0",
            "Main/DebugMode=Off",
            "Locale/Language=",
            "MixerConfig/Device=",
            "MixerConfig/Control=",
            "SendMail/SMTPServer=",
            "SendMail/SenderMailAddress=",
            "SendMail/MailAddress=",
            "SendMail/Security=None",
            "SendMail/UserName=",
            "AnnounceBack/CallbackHandle=",
            "AnnounceBack/CallbackOnlyFriends=Off",
            "BroadCastStatus/User001 User002 User012 User1000",
            "AutoAnswer/AudioFile=",
            "AutoAnswer/RingingWaitSec1=15",
            "AutoAnswer/RingingWaitSec2=5",
            "AutoAnswer/RecordingMaxSec=20",
            "AutoAnswer/MailFlagCheck=",
            "AutoAnswer/MailAddress=",
            "AutoAnswer/RemoteControlKey=",
            "AutoAnswer/Controler001 Controler002 Controler012 Controler1000",
            "Contact/DisplayGroup=",
            "Contact/0000 0001 0011 1000",
            "Contact/0000_group 0001_group 0011_group 1000_group",
        };
        const auto valueOf = [](const QString& path) {
            return path + QStringLiteral(", \"ä\"; =");
        };
        QStringList seen;
        QStringList stored; // "section/key" of every key written, in step with readBack
        QList<std::function<QString(const SettingsStore&)>> readBack;
        {
            QSettingsStore store;
            for (const Section& section : sections) {
                for (const SettingKey& key : section.keys) {
                    stored << QString::fromLatin1(key.section) + u'/' +
                                  QString::fromLatin1(key.key);
                    seen << stored.last() + u'=' + QString::fromLatin1(key.defaultValue);
                    writeSetting(store, key, valueOf(stored.last()));
                    readBack << [key](const SettingsStore& from) { return readSetting(from, key); };
                }
                for (const SettingList& list : section.lists) {
                    QStringList keys;
                    for (const int position : {list.first, list.first + 1, list.first + 11, 1000}) {
                        keys << list.key(position);
                        stored << QString::fromLatin1(list.section) + u'/' + keys.last();
                        writeSetting(store, list, position, valueOf(stored.last()));
                        readBack << [list, position](const SettingsStore& from) {
                            return readSetting(from, list, position);
                        };
                    }
                    seen << QString::fromLatin1(list.section) + u'/' + keys.join(u' ');
                }
            }
        }
        QCOMPARE(seen, format);
        QCOMPARE(QSet<QString>(stored.begin(), stored.end()).size(), stored.size()); // none twice
        const QSettingsStore reread;
        for (qsizetype i = 0; i < stored.size(); ++i)
            QCOMPARE(readBack[i](reread), valueOf(stored[i]));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settingsstore.moc"
