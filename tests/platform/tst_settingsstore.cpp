#include "memorysettingsstore.h"
#include "platform/qsettingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

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
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settingsstore.moc"
