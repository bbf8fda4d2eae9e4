// The main window: controls, start-up and shut-down, menus and the tray icon; its logic without
// widgets (switches and settings, supervision, own lines).
#include "answering/autoanswerform.h"
#include "app/mainformcore.h"
#include "audio/audioform.h"
#include "audio/mcilib.h"
#include "contacts/contactform.h"
#include "hosttransportfake.h"
#include "mainlink.h"
#include "notify/announcebackform.h"
#include "notify/broadcaststatusform.h"
#include "notify/desktopnotifications.h"
#include "notify/sendmailform.h"
#include "platform/singleinstance.h"
#include "recording/callrecorder.h"
#include "recording/recordingform.h"
#include "shell/aboutdialog.h"
#include "shell/applylanguage.h"
#include "shell/mainform.h"
#include "shell/mainformwindows.h"
#include "shell/startclicks.h"
#include "shell/trayicon.h"
#include "shelltest.h"
#include "testmain.h"
#include "testservices.h"
#include "testsession.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
const QString kHost = u":1.42"_s;

// The Main section of the settings.
struct Stored {
    QString stored(const char* key) { return test.settings.read(u"Main"_s, QLatin1String(key)); }
    void store(const char* key, const QString& value) {
        test.settings.write(u"Main"_s, QLatin1String(key), value);
    }
    TestServices test;
};
struct Window : Stored {
    template <typename T> T* child(const char* name) {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
    bool isDebugMenuVisible() { return child<QMenu>("DebugMenu")->menuAction()->isVisible(); }
    FakeHostTransport transport;
    SingleInstance instance{test.tempPath() + u"/run/quenlark.lock"_s};
    Session session{test.services, testBackends(transport, test.tempPath() + "/unsaved")};
    MainForm form{test.services, session, instance};
};
// The logic alone, on a link of its own.
struct Main : Stored {
    FakeHostTransport transport;
    MainLink core{test.services, transport};
};
} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void startupPrintsTheLinkFactsWhenDebugging() {
        Window window;
        window.store("DebugMode", u"On"_s);
        QVERIFY(window.form.Form_Load());
        QVERIFY(window.isDebugMenuVisible());
        QVERIFY(window.test.console.consoleLines().contains("ConnectToSkype status is 1[:1.7]"));
        QVERIFY(window.transport.isRegistered());
        QVERIFY(window.form.tray().isAdded());
    }

    void fileMenuItemWritesAndRemovesTheLoginStart() {
        QTemporaryDir config;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString entry = config.path() + u"/autostart/org.quenlark.Quenlark.desktop"_s;
        {
            Window window;
            window.test.language.LoadLanguagePack(u"en"_s);
            QAction* item = window.child<QAction>("FileMenuAutostartItem");
            QVERIFY(item->isCheckable() && !item->isChecked()); // off by default
            item->trigger();
            QVERIFY(item->isChecked() && QFile::exists(entry));
            // The desktop's own settings take the entry away: the menu shows it when it opens.
            QVERIFY(QFile::remove(entry));
            emit window.child<QMenu>("FileMenu")->aboutToShow();
            QVERIFY(!item->isChecked());
            item->trigger();
            item->trigger();
            QVERIFY(!item->isChecked() && !QFile::exists(entry));
            // A folder that cannot be made: the box says so and the mark stays off.
            QVERIFY(QDir(config.path()).rmdir(u"autostart"_s));
            QFile blocker(config.path() + u"/autostart"_s);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            item->trigger();
            QVERIFY(!item->isChecked());
            QCOMPARE(window.test.prompts.messages().size(), 1);
            QVERIFY(window.test.prompts.messages().constFirst().contains(config.path()));
        }
        qputenv("XDG_CONFIG_HOME", saved);
    }

    void attachShowsTheLinkAndRoutesFeatureLines() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.transport.attach(kHost, 0);
        window.transport.notifyLine(kHost, u"CURRENTUSERHANDLE alice"_s);
        window.transport.notifyLine(kHost, u"USERSTATUS ONLINE"_s);
        window.transport.notifyLine(kHost, u"NOBODY WANTS THIS"_s);
        QCOMPARE(window.form.windowTitle(), u"Quenlark(alice)"_s);
        QCOMPARE(window.child<QLineEdit>("CurrentUserHandleText")->text(), u"alice"_s);
        QCOMPARE(window.child<QLabel>("UserStatusLabel")->text(), u"ONLINE"_s);
        QCOMPARE(window.child<QLineEdit>("RecieveResponseCounterText")->text(),
                 u"3"_s); // every line counts, used or not
        QCOMPARE(window.child<QLabel>("SkypeStatusLabel")->text(), QString());
        // The audio window, loaded on attach, asks for its devices and takes the replies.
        QVERIFY(window.transport.sentLines().contains(u"GET AUDIO_IN"_s));
        QVERIFY(window.transport.sentLines().contains(u"GET AUDIO_OUT"_s));
        window.transport.notifyLine(kHost, u"AUDIO_IN Built-in Microphone"_s);
        QCOMPARE(window.form.windows().audio().findChild<QLineEdit*>("AudioInText")->text(),
                 u"Built-in Microphone"_s);
        window.form.session().mci().setStatusText(u"Play"_s);
        QCOMPARE(window.child<QLabel>("MCIStatusLabel")->text(), u"Play"_s);
    }

    // The buttons a switch guards (the menus are opened by name in the screenshot check).
    void buttonsAndMenusOpenTheirWindows() {
        Window window;
        QVERIFY(window.form.Form_Load());
        FeatureWindows& windows = window.form.windows();
        window.child<QCheckBox>("SendMailCheck")->setChecked(true);
        window.child<QPushButton>("Command2")->click();
        QVERIFY(windows.sendMail().isVisible());
        window.child<QPushButton>("Command5")->click();
        QVERIFY(windows.recording().isVisible());
        for (const char* box : {"SendIMCheck", "CallbackAnounceCheck"})
            window.child<QCheckBox>(box)->setChecked(true);
        window.child<QPushButton>("Command1")->click();
        window.child<QPushButton>("Command3")->click();
        window.child<QPushButton>("Command6")->click();
        QVERIFY(windows.broadcastStatus().isVisible() && windows.announceBack().isVisible() &&
                windows.contacts().isVisible());
        window.child<QAction>("HelpMenuAboutItem")->trigger();
        AboutDialog& about = windows.about();
        QVERIFY(about.isVisible() && about.isModal());
        about.findChild<QPushButton*>("OKButton")->click();
        QVERIFY(!about.isVisible());
        // A recorded message's notification action opens the machine with its list.
        emit window.session.desktop().openMessagesRequested();
        QVERIFY(windows.autoAnswer().isVisible());
    }

    // quenlark --open NAME: the modal window on top is clicked first, so the answering machine's
    // Command6 (its controler list) wins over the main window's (the contact list).
    void startClicksGoToTheWindowOnTop() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.form.show();
        FeatureWindows& windows = window.form.windows();
        QVERIFY(!StartClicks::click(u"NoSuchControl"_s));
        QVERIFY(StartClicks::click(u"AutoAnswerMenu"_s));
        QVERIFY(windows.autoAnswer().isVisible());
        QVERIFY(StartClicks::click(u"Command6"_s));
        QVERIFY(!windows.contacts().isVisible());
        QVERIFY(windows.autoAnswer().findChild<QDialog*>("ControlerListDialog")->isVisible());
    }

    void propertiesMenuSwitchesDesktopNotifications() {
        Window window;
        QAction* item = window.child<QAction>("DesktopNotifyMenu");
        QVERIFY(item->isCheckable() && item->isChecked());
        item->trigger(); // the switch itself is tested with the notifications
        QVERIFY(!window.session.desktop().isEnabled());
    }

    // The recorder's state, not the caption, decides; a language switch writes the caption of
    // the state.
    void recordButtonFollowsTheRecorderThroughALanguageSwitch() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.form.windows().loadAll(); // as at the first attach
        auto* record = window.child<QPushButton>("RecordButton");
        QVERIFY(!record->isEnabled());
        HostLineRouter& router = window.form.core().api().router();
        QString line = u"CALL 5 STATUS INPROGRESS"_s;
        router.route(line);
        record->click();
        QCOMPARE(window.child<QLabel>("RecordingStatusLabel")->text(), u"Recording"_s);
        QVERIFY(!window.child<QCheckBox>("AutoAnswerCheck")->isEnabled());
        ApplyLanguageToAll(window.test.language, u"ja"_s);
        QCOMPARE(record->text(), window.test.language.GetLanguageString(11));
        line = u"CALL 5 STATUS FINISHED"_s;
        router.route(line);
        QTRY_VERIFY(!window.form.session().recorder().recording());
        QCOMPARE(record->text(), window.test.language.GetLanguageString(10));
        QVERIFY(!record->isEnabled() && window.child<QCheckBox>("AutoAnswerCheck")->isEnabled());
    }

    void startupEndsForASecondCopyOrWithoutABus() {
        {
            Window window;
            SingleInstance first(window.instance.lockPath());
            QVERIFY(!first.anotherCopyRunning());
            QVERIFY(!window.form.Form_Load());
            QCOMPARE(window.form.exitCode(), 0);
            QCOMPARE(window.transport.discoverCount(), 0);
            QVERIFY(!window.form.tray().isAdded());
        }
        {
            // A lock that cannot be made at all is no second copy: the program starts.
            Window window;
            QFile blocker(window.test.tempPath() + u"/notafolder"_s);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            SingleInstance unusable(blocker.fileName() + u"/quenlark.lock"_s);
            QVERIFY(!unusable.anotherCopyRunning());
        }
        Window window;
        window.transport.setConnected(false);
        QVERIFY(!window.form.Form_Load());
        QCOMPARE(window.form.exitCode(), 1);
        QVERIFY(!window.form.tray().isAdded());
    }

    void firstRunShowsSwitchesOffAndSavesThemOnlyByExit() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.transport.attach(kHost, 0);
        for (const char* box :
             {"SendIMCheck", "SendMailCheck", "CallbackAnounceCheck", "AutoAnswerCheck"})
            QVERIFY(!window.child<QCheckBox>(box)->isChecked());
        for (const char* button : {"Command1", "Command2", "Command3", "Command4"})
            QVERIFY(!window.child<QPushButton>(button)->isEnabled());
        QVERIFY(!window.isDebugMenuVisible());
        QVERIFY(QDir(window.test.folders.recordingPath()).exists());
        window.child<QCheckBox>("CallbackAnounceCheck")->click();
        QVERIFY(window.child<QPushButton>("Command3")->isEnabled());
        QVERIFY(window.form.core().switchOn(MainFormCore::CallbackAnounce));
        QCOMPARE(window.stored("CallbackAnounceFlag"), QString());
        window.child<QAction>("PopupExitMenu")->trigger();
        QCOMPARE(window.stored("CallbackAnounceFlag"), u"1"_s);
        QVERIFY(!window.form.tray().isAdded());
        QVERIFY(!window.transport.isRegistered());

        Window closed; // closing the window ends the program without saving
        QVERIFY(closed.form.Form_Load());
        closed.form.show();
        closed.child<QCheckBox>("SendIMCheck")->click();
        closed.form.close();
        QVERIFY(closed.test.settings.keys(u"Main"_s).isEmpty());
        QVERIFY(!closed.form.tray().isAdded());
    }

    void trayPopupOpensOnTheRightButtonOnlyAndPicturesFollowTheKind() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.form.show();
        window.child<QAction>("FileMenuHideItem")->trigger();
        QMenu* popup = window.child<QMenu>("Popup2Menu");
        TrayIcon& tray = window.form.tray();
        for (auto reason :
             {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context}) {
            tray.onActivated(reason);
            QCOMPARE(popup->isVisible(), reason == QSystemTrayIcon::Context);
        }
        QVERIFY(!window.form.isVisible());
        popup->hide();
        window.child<QAction>("ShowMainFormMenu")->trigger();
        QVERIFY(window.form.isVisible());

        QVERIFY(!tray.picture(TrayIcon::Answering).isNull()); // shipped with the program
        tray.SetIcon(7); // an unknown kind shows the normal picture
        QCOMPARE(tray.currentKind(), int(TrayIcon::Normal));
        tray.InitIcon(window.test.tempPath()); // no pictures there: the icon is still added
        tray.AddIcon();
        tray.SetIcon(TrayIcon::Answering);
        QVERIFY(tray.isAdded() && tray.systemTrayIcon().icon().isNull());
    }

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
        main.store("SendIMFlag", u"junk"_s);
        main.store("AutoAnswerFlag", u"1"_s);
        main.store("LogLevel", u"2"_s);
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
        QCOMPARE(main.test.settings.keys(u"Main"_s).size(), 5);
        QCOMPARE(main.test.settings.strayDeletes(), 0);
    }

    void supervisionPingsWhileAnsweredAndRediscoversWhenSilent() {
        Main main;
        main.transport.attach(kHost, 0);
        QCOMPARE(main.core.timer1().interval(), 10000);
        QVERIFY(main.transport.notifyLine(kHost, u"PONG"_s));
        main.transport.clearSent();
        const int discovers = main.transport.discoverCount();
        main.core.Timer1_Timer();
        QCOMPARE(main.transport.sentLines(), QStringList{"PING"});
        QCOMPARE(main.core.skypeStatus(), u"Connecting"_s);
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
        main.transport.attach(u":1.60"_s, 0);
        QCOMPARE(main.transport.sentLines(), (QStringList{"GET CURRENTUSERHANDLE", "PING"}));
        QCOMPARE(main.core.api().hostHandle(), u":1.60"_s);
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
                 handle.isEmpty() ? u"Quenlark"_s : "Quenlark(" + handle + ")");
        QCOMPARE(main.core.userStatus(), status);
        QCOMPARE(main.core.pongFlag(), pong);
    }

    // The audio window takes only its own replies.
    void audioRepliesFillTheirBoxes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("audioIn");
        QTest::addColumn<QString>("audioOut");
        const char* const rows[][3] = {{"AUDIO_IN Built-in Mic [0]", "Built-in Mic [0]", "old out"},
                                       {"AUDIO_OUT USB Speakers", "old in", "USB Speakers"},
                                       {"AUDIO_IN", "", "old out"},
                                       {"  AUDIO_OUT Speakers ", "old in", "Speakers"},
                                       {"AUDIO_INPUT x", "old in", "old out"},
                                       {"ERROR 7 AUDIO_IN unknown", "old in", "old out"}};
        for (const auto& [line, audioIn, audioOut] : rows)
            QTest::newRow(line) << QString(line) << QString(audioIn) << QString(audioOut);
    }
    void audioRepliesFillTheirBoxes() {
        QFETCH(QString, line);
        TestServices test;
        AudioForm form(test.services, {});
        form.audioInText()->setText(u"old in"_s);
        form.audioOutText()->setText(u"old out"_s);
        QString routed = line;
        form.SetSkypeResponse(routed);
        QTEST(form.audioInText()->text(), "audioIn");
        QTEST(form.audioOutText()->text(), "audioOut");
        QCOMPARE(routed, line); // later targets see the line unchanged
    }
};

QUENLARK_TEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
