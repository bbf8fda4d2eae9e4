// The main window's logic without widgets: switches and settings, supervision, own lines.
#include "platform/hosttransportfake.h"
#include "shell/mainformcore.h"
#include "testmain.h"
#include "testservices.h"

namespace {
const QString kHost = QStringLiteral(":1.42");
}

class TestMainFormCore : public QObject {
    Q_OBJECT

    struct Main {
        Main() : core(test.services, transport) {}
        TestServices test;
        FakeHostTransport transport;
        MainFormCore core;
    };

private slots:
    void emptyStoreGivesDefaults() {
        Main main;
        main.core.LoadDebug();
        main.core.LoadMainSetting();
        for (int which = 0; which < MainFormCore::SwitchCount; ++which)
            QVERIFY(!main.core.switchOn(static_cast<MainFormCore::Switch>(which)));
        QVERIFY(!main.core.debugMode());
        QCOMPARE(main.core.logLevel(), 0);
        QVERIFY(!main.test.console.isEnabled());
    }

    void onlyExactOnOpensTheDebugConsole_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("debug");
        QTest::newRow("On") << "On" << true;
        QTest::newRow("on") << "on" << false;
        QTest::newRow("ON") << "ON" << false;
        QTest::newRow("Off") << "Off" << false;
    }
    void onlyExactOnOpensTheDebugConsole() {
        QFETCH(QString, value);
        QFETCH(bool, debug);
        Main main;
        main.test.settings.write(QStringLiteral("Main"), QStringLiteral("DebugMode"), value);
        main.test.settings.write(QStringLiteral("Main"), QStringLiteral("LogLevel"),
                                 QStringLiteral("3"));
        main.core.LoadDebug();
        QCOMPARE(main.core.debugMode(), debug);
        QCOMPARE(main.test.console.isEnabled(), debug);
        QCOMPARE(main.core.logLevel(), 3);
    }

    void saveLeavesExactlyTheFourSwitchKeys() {
        Main main;
        MemorySettingsStore& store = main.test.settings;
        const QString section = QStringLiteral("Main");
        store.write(section, QStringLiteral("SendIMFlag"), QStringLiteral("junk"));
        store.write(section, QStringLiteral("AutoAnswerFlag"), QStringLiteral("1"));
        store.write(section, QStringLiteral("LogLevel"), QStringLiteral("2"));
        store.write(section, QStringLiteral("DebugMode"), QStringLiteral("On"));
        main.core.LoadMainSetting();
        main.core.setSwitch(MainFormCore::SendMail, true);
        main.core.SaveMainSetting();
        QCOMPARE(store.read(section, QStringLiteral("SendIMFlag")), QStringLiteral("0"));
        QCOMPARE(store.read(section, QStringLiteral("SendMailFlag")), QStringLiteral("1"));
        QCOMPARE(store.read(section, QStringLiteral("CallbackAnounceFlag")), QStringLiteral("0"));
        QCOMPARE(store.read(section, QStringLiteral("AutoAnswerFlag")), QStringLiteral("1"));
        QCOMPARE(store.read(section, QStringLiteral("LogLevel")), QStringLiteral("2"));
        QCOMPARE(store.read(section, QStringLiteral("DebugMode")), QStringLiteral("On"));
        QCOMPARE(store.keys(section).size(), 6);
        QCOMPARE(store.strayDeletes(), 0);
    }

    void reattachResetsSwitchesToStoredValues() {
        Main main;
        main.test.settings.write(QStringLiteral("Main"), QStringLiteral("SendIMFlag"),
                                 QStringLiteral("1"));
        main.transport.attach(kHost, 0);
        QVERIFY(main.core.switchOn(MainFormCore::SendIM));
        main.core.setSwitch(MainFormCore::SendIM, false);
        main.core.setSwitch(MainFormCore::AutoAnswer, true);
        main.transport.attach(kHost, 0);
        QVERIFY(main.core.switchOn(MainFormCore::SendIM));
        QVERIFY(!main.core.switchOn(MainFormCore::AutoAnswer));
    }

    void supervisionPingsWhileTheHostAnswers() {
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
    }

    void silentHostIsDiscoveredAgainOnEveryTick() {
        Main main;
        main.transport.attach(kHost, 0);
        main.transport.clearSent();
        const int discovers = main.transport.discoverCount();
        for (int tick = 1; tick <= 2; ++tick) {
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
        QTest::addColumn<QString>("handle");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("pong");
        QTest::newRow("user") << "CURRENTUSERHANDLE alice"
                              << "alice"
                              << "" << false;
        QTest::newRow("user without name") << "CURRENTUSERHANDLE"
                                           << ""
                                           << "" << false;
        QTest::newRow("status") << "USERSTATUS ONLINE"
                                << ""
                                << "ONLINE" << false;
        QTest::newRow("status without word") << " USERSTATUS "
                                             << ""
                                             << "" << false;
        QTest::newRow("pong with blanks") << "  PONG  "
                                          << ""
                                          << "" << true;
        QTest::newRow("pong as a later word") << "CHATMESSAGE PONG"
                                              << ""
                                              << "" << false;
        QTest::newRow("blank line") << "   "
                                    << ""
                                    << "" << false;
    }
    void ownLinesSetUserAndStatus() {
        QFETCH(QString, line);
        QFETCH(QString, handle);
        QFETCH(QString, status);
        QFETCH(bool, pong);
        Main main;
        main.core.SetSkypeResponse(line);
        QCOMPARE(line, line.trimmed());
        QCOMPARE(main.core.currentUserHandle(), handle);
        QCOMPARE(main.core.caption(),
                 handle.isEmpty() ? QStringLiteral("Quenlark") : "Quenlark(" + handle + ")");
        QCOMPARE(main.core.userStatus(), status);
        QCOMPARE(main.core.pongFlag(), pong);
    }

    void counterCountsLinesNobodyUses() {
        Main main;
        main.transport.attach(kHost, 0);
        main.transport.notifyLine(kHost, QStringLiteral("NOBODY WANTS THIS"));
        main.transport.notifyLine(kHost, QStringLiteral("PONG"));
        QCOMPARE(main.core.responseCount(), 2);
    }
};

QUENLARK_TEST_MAIN(TestMainFormCore)
#include "tst_mainformcore.moc"
