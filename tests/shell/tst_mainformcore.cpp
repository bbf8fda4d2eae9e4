// The main window's logic without widgets: switches and settings, supervision, own lines.
#include "app/mainformcore.h"
#include "hosttransportfake.h"
#include "mainlink.h"
#include "shelltest.h"
#include "testmain.h"
#include "testservices.h"

namespace {
const QString kHost = QStringLiteral(":1.42");

struct Main {
    QString stored(const char* key) {
        return test.settings.read(QStringLiteral("Main"), QString::fromLatin1(key));
    }
    void store(const char* key, const QString& value) {
        test.settings.write(QStringLiteral("Main"), QString::fromLatin1(key), value);
    }
    TestServices test;
    FakeHostTransport transport;
    MainLink core{test.services, transport};
};
} // namespace

class TestMainFormCore : public QObject {
    Q_OBJECT
private slots:
    void onlyExactOnOpensTheDebugConsole_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("logLevel");
        QTest::addColumn<bool>("debug");
        addRow("nothing stored", "", "", false);
        addRow("On", "On", "3", true);
        addRow("on", "on", "3", false);
    }
    void onlyExactOnOpensTheDebugConsole() {
        QFETCH(QString, value);
        QFETCH(QString, logLevel);
        QFETCH(bool, debug);
        Main main;
        if (!value.isEmpty()) {
            main.store("DebugMode", value);
            main.store("LogLevel", logLevel);
        }
        main.core.LoadDebug();
        main.core.LoadMainSetting();
        QCOMPARE(main.core.debugMode(), debug);
        QCOMPARE(main.test.console.isEnabled(), debug);
        QCOMPARE(main.core.logLevel(), logLevel.toInt());
        for (int which = 0; which < MainFormCore::SwitchCount; ++which)
            QVERIFY(!main.core.switchOn(static_cast<MainFormCore::Switch>(which)));
    }

    void switchesLoadOnEveryAttachAndSaveWritesOnlyThem() {
        Main main;
        main.store("SendIMFlag", QStringLiteral("junk"));
        main.store("AutoAnswerFlag", QStringLiteral("1"));
        main.store("LogLevel", QStringLiteral("2"));
        for (int attach = 0; attach < 2; ++attach) { // each attach resets them to the store
            main.transport.attach(kHost, 0);
            QVERIFY(main.core.switchOn(MainFormCore::AutoAnswer));
            QVERIFY(!main.core.switchOn(MainFormCore::SendIM));
            main.core.setSwitch(MainFormCore::AutoAnswer, false);
            main.core.setSwitch(MainFormCore::SendIM, true);
        }
        main.transport.attach(kHost, 0);
        main.core.setSwitch(MainFormCore::SendMail, true);
        main.core.SaveMainSetting();
        QStringList values;
        for (const char* key :
             {"SendIMFlag", "SendMailFlag", "CallbackAnounceFlag", "AutoAnswerFlag", "LogLevel"})
            values << main.stored(key);
        QCOMPARE(values, (QStringList{"0", "1", "0", "1", "2"}));
        QCOMPARE(main.test.settings.keys(QStringLiteral("Main")).size(), 5);
        QCOMPARE(main.test.settings.strayDeletes(), 0);
    }

    void supervisionPingsWhileAnsweredAndRediscoversWhenSilent() {
        Main main;
        main.transport.attach(kHost, 0);
        QCOMPARE(main.core.timer1().interval(), 10000);
        QVERIFY(main.transport.notifyLine(kHost, QStringLiteral("PONG")));
        main.transport.clearSent();
        const int discovers = main.transport.discoverCount();
        main.core.Timer1_Timer();
        QCOMPARE(main.transport.sentLines(), QStringList{"PING"});
        QCOMPARE(main.core.skypeStatus(), QStringLiteral("Connecting"));
        QVERIFY(!main.core.pongFlag());
        QCOMPARE(main.transport.discoverCount(), discovers);
        main.transport.clearSent();
        for (int tick = 1; tick <= 2; ++tick) { // no PONG came back
            main.core.Timer1_Timer();
            QCOMPARE(main.core.skypeStatus(), QString());
            QCOMPARE(main.transport.discoverCount(), discovers + tick);
        }
        QVERIFY(main.transport.sent().isEmpty());
        // The host comes back: the whole attach sequence runs again.
        main.transport.attach(QStringLiteral(":1.60"), 0);
        QCOMPARE(main.transport.sentLines(), (QStringList{"GET CURRENTUSERHANDLE", "PING"}));
        QCOMPARE(main.core.api().hostHandle(), QStringLiteral(":1.60"));
    }

    void ownLinesSetUserAndStatus_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("pong");
        addRow("user", "CURRENTUSERHANDLE alice", "CURRENTUSERHANDLE alice", "alice", "", false);
        addRow("user without name", "CURRENTUSERHANDLE", "CURRENTUSERHANDLE", "", "", false);
        addRow("status", "USERSTATUS ONLINE", "USERSTATUS ONLINE", "", "ONLINE", false);
        addRow("status without word", " USERSTATUS ", "USERSTATUS", "", "", false);
        addRow("pong with blanks", "  PONG  ", "PONG", "", "", true);
        addRow("pong as a later word", "CHATMESSAGE PONG", "CHATMESSAGE PONG", "", "", false);
        // Only blanks are trimmed: a contact's name keeps its ideographic space and tab.
        addRow("other white space", " USER bob FULLNAME Taro\u3000\t ",
               "USER bob FULLNAME Taro\u3000\t", "", "", false);
    }
    void ownLinesSetUserAndStatus() {
        QFETCH(QString, line);
        QFETCH(QString, trimmed);
        QFETCH(QString, handle);
        QFETCH(QString, status);
        QFETCH(bool, pong);
        Main main;
        main.core.SetSkypeResponse(line);
        QCOMPARE(line, trimmed);
        QCOMPARE(main.core.currentUserHandle(), handle);
        QCOMPARE(main.core.caption(),
                 handle.isEmpty() ? QStringLiteral("Quenlark") : "Quenlark(" + handle + ")");
        QCOMPARE(main.core.userStatus(), status);
        QCOMPARE(main.core.pongFlag(), pong);
    }
};

QUENLARK_TEST_MAIN(TestMainFormCore)
#include "tst_mainformcore.moc"
