// The main window: controls, start-up and shut-down, menus and the tray icon.
#include "answering/autoanswerform.h"
#include "audio/audioform.h"
#include "audio/mciform.h"
#include "audio/mcilib.h"
#include "audio/mixerconfigform.h"
#include "contacts/contactform.h"
#include "hosttransportfake.h"
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

#include <QAccessible>
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

namespace {
const QString kHost = QStringLiteral(":1.42");

struct Window {
    template <typename T> T* child(const char* name) {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
    bool isDebugMenuVisible() { return child<QMenu>("DebugMenu")->menuAction()->isVisible(); }
    QString stored(const char* key) {
        return test.settings.read(QStringLiteral("Main"), QString::fromLatin1(key));
    }
    TestServices test;
    FakeHostTransport transport;
    SingleInstance instance{test.tempPath() + QStringLiteral("/run/quenlark.lock")};
    Session session{test.services, testBackends(transport, test.tempPath() + "/unsaved")};
    MainForm form{test.services, session, instance};
};
} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void startupPrintsTheLinkFactsWhenDebugging() {
        Window window;
        window.test.settings.write(QStringLiteral("Main"), QStringLiteral("DebugMode"),
                                   QStringLiteral("On"));
        QVERIFY(window.form.Form_Load());
        QVERIFY(window.isDebugMenuVisible());
        QVERIFY(window.test.console.consoleLines().contains("ConnectToSkype status is 1[:1.7]"));
        QVERIFY(window.transport.isRegistered());
        QVERIFY(window.form.tray().isAdded());
    }

    void textFieldsAreNamedByTheirCaptions() {
        Window window;
        for (const auto& [field, caption] :
             {std::pair{"CurrentUserHandleText", "Current Skype Account"},
              std::pair{"RecieveResponseCounterText", "Recv Response from Skeype"}}) {
            QAccessibleInterface* accessible =
                QAccessible::queryAccessibleInterface(window.child<QLineEdit>(field));
            QVERIFY(accessible);
            QCOMPARE(accessible->text(QAccessible::Name), QString::fromLatin1(caption));
        }
    }

    void fileMenuItemWritesAndRemovesTheLoginStart() {
        QTemporaryDir config;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString entry =
            config.path() + QStringLiteral("/autostart/org.quenlark.Quenlark.desktop");
        {
            Window window;
            window.test.language.LoadLanguagePack(QStringLiteral("en"));
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
            QVERIFY(QDir(config.path()).rmdir(QStringLiteral("autostart")));
            QFile blocker(config.path() + QStringLiteral("/autostart"));
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
        window.transport.notifyLine(kHost, QStringLiteral("CURRENTUSERHANDLE alice"));
        window.transport.notifyLine(kHost, QStringLiteral("USERSTATUS ONLINE"));
        window.transport.notifyLine(kHost, QStringLiteral("NOBODY WANTS THIS"));
        QCOMPARE(window.form.windowTitle(), QStringLiteral("Quenlark(alice)"));
        QCOMPARE(window.child<QLineEdit>("CurrentUserHandleText")->text(), QStringLiteral("alice"));
        QCOMPARE(window.child<QLabel>("UserStatusLabel")->text(), QStringLiteral("ONLINE"));
        QCOMPARE(window.child<QLineEdit>("RecieveResponseCounterText")->text(),
                 QStringLiteral("3")); // every line counts, used or not
        QCOMPARE(window.child<QLabel>("SkypeStatusLabel")->text(), QString());
        // The audio window, loaded on attach, asks for its devices and takes the replies.
        QVERIFY(window.transport.sentLines().contains(QStringLiteral("GET AUDIO_IN")));
        window.transport.notifyLine(kHost, QStringLiteral("AUDIO_IN Built-in Microphone"));
        QCOMPARE(window.form.windows().audio().findChild<QLineEdit*>("AudioInText")->text(),
                 QStringLiteral("Built-in Microphone"));
        window.form.session().mci().setStatusText(QStringLiteral("Play"));
        QCOMPARE(window.child<QLabel>("MCIStatusLabel")->text(), QStringLiteral("Play"));
    }

    void buttonsAndMenusOpenTheirWindows() {
        Window window;
        QVERIFY(window.form.Form_Load());
        FeatureWindows& windows = window.form.windows();
        window.child<QCheckBox>("SendMailCheck")->setChecked(true);
        window.child<QPushButton>("Command2")->click();
        QVERIFY(windows.sendMail().isVisible());
        window.child<QAction>("PlayerMenu")->trigger();
        QVERIFY(windows.player().isVisible());
        window.child<QAction>("MixerConfigMenu")->trigger();
        QVERIFY(windows.mixerConfig().isVisible());
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
        QCOMPARE(about.findChild<QLabel*>("Label5")->text(), QStringLiteral("Version : 1.0.0"));
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
        QVERIFY(!StartClicks::click(QStringLiteral("NoSuchControl")));
        QVERIFY(StartClicks::click(QStringLiteral("AutoAnswerMenu")));
        QVERIFY(windows.autoAnswer().isVisible());
        QVERIFY(StartClicks::click(QStringLiteral("Command6")));
        QVERIFY(!windows.contacts().isVisible());
        QVERIFY(windows.autoAnswer().findChild<QDialog*>("ControlerListDialog")->isVisible());
    }

    void propertiesMenuSwitchesDesktopNotifications() {
        Window window;
        QAction* item = window.child<QAction>("DesktopNotifyMenu");
        QVERIFY(item->isCheckable() && item->isChecked()); // on by default
        item->trigger();
        QCOMPARE(window.stored("DesktopNotifyFlag"), QStringLiteral("0"));
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
        QString line = QStringLiteral("CALL 5 STATUS INPROGRESS");
        router.route(line);
        record->click();
        QCOMPARE(window.child<QLabel>("RecordingStatusLabel")->text(), QStringLiteral("Recording"));
        QVERIFY(!window.child<QCheckBox>("AutoAnswerCheck")->isEnabled());
        ApplyLanguageToAll(window.test.language, QStringLiteral("ja"));
        QCOMPARE(record->text(), window.test.language.GetLanguageString(11));
        line = QStringLiteral("CALL 5 STATUS FINISHED");
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
            QFile blocker(window.test.tempPath() + QStringLiteral("/notafolder"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            SingleInstance unusable(blocker.fileName() + QStringLiteral("/quenlark.lock"));
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
        QCOMPARE(window.stored("CallbackAnounceFlag"), QStringLiteral("1"));
        QVERIFY(!window.form.tray().isAdded());
        QVERIFY(!window.transport.isRegistered());

        Window closed; // closing the window ends the program without saving
        QVERIFY(closed.form.Form_Load());
        closed.form.show();
        closed.child<QCheckBox>("SendIMCheck")->click();
        closed.form.close();
        QVERIFY(closed.test.settings.keys(QStringLiteral("Main")).isEmpty());
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
};

QUENLARK_TEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
