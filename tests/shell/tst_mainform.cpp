// The main window: controls, start-up and shut-down, menus and the tray icon.
#include "platform/hosttransportfake.h"
#include "audio/audioform.h"
#include "audio/mciform.h"
#include "audio/mcilib.h"
#include "audio/mixerconfigform.h"
#include "notify/sendmailform.h"
#include "shell/aboutdialog.h"
#include "shell/mainformwindows.h"
#include "shell/applylanguage.h"
#include "shell/mainform.h"
#include "shell/singleinstance.h"
#include "shell/trayicon.h"
#include "testmain.h"
#include "testservices.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
const QString kHost = QStringLiteral(":1.42");

struct Window {
    Window()
        : instance(test.tempPath() + QStringLiteral("/run/quenlark.lock")),
          form(test.services, transport, instance) {}
    template <typename T> T* child(const char* name) {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
    TestServices test;
    FakeHostTransport transport;
    SingleInstance instance;
    MainForm form;
};
} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void controlsCarryTheirNamesAndTextNumbers_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tag");
        QTest::newRow("file menu") << "FileMenu"
                                   << "STR-ID:1";
        QTest::newRow("properties menu") << "PropertiesMenu"
                                         << "STR-ID:2";
        QTest::newRow("command3") << "Command3"
                                  << "STR-ID:2";
        QTest::newRow("command4") << "Command4"
                                  << "STR-ID:8";
        QTest::newRow("record") << "RecordButton"
                                << "STR-ID:10";
        QTest::newRow("show") << "ShowMainFormMenu"
                              << "STR-ID:24";
        QTest::newRow("help about") << "HelpMenuAboutItem"
                                    << "STR-ID:25";
        QTest::newRow("exit") << "PopupExitMenu"
                              << "STR-ID:26";
        QTest::newRow("darts") << "DartsMenuItem"
                               << "STR-ID:47";
        QTest::newRow("remote heading") << "Label10"
                                        << "STR-ID:83";
        QTest::newRow("auto answer box") << "AutoAnswerCheck"
                                         << "STR-ID:104";
        QTest::newRow("counter") << "RecieveResponseCounterText"
                                 << "";
        QTest::newRow("mci status") << "MCIStatusLabel"
                                    << "";
        QTest::newRow("player") << "PlayerMenu"
                                << "";
    }
    void controlsCarryTheirNamesAndTextNumbers() {
        QFETCH(QString, name);
        QFETCH(QString, tag);
        Window window;
        QObject* control = window.form.findChild<QObject*>(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(tagOf(control), tag);
    }

    void firstRunShowsEverySwitchOffAndNoDebugMenu() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.transport.attach(kHost, 0);
        for (const char* box :
             {"SendIMCheck", "SendMailCheck", "CallbackAnounceCheck", "AutoAnswerCheck"})
            QVERIFY(!window.child<QCheckBox>(box)->isChecked());
        for (const char* button : {"Command1", "Command2", "Command3", "Command4"})
            QVERIFY(!window.child<QPushButton>(button)->isEnabled());
        QVERIFY(!window.child<QMenu>("DebugMenu")->menuAction()->isVisible());
        QVERIFY(QDir(window.test.folders.recordingPath()).exists());
        QCOMPARE(window.child<QLineEdit>("RecieveResponseCounterText")->text(),
                 QStringLiteral("0"));
    }

    void startupPrintsTheLinkFactsWhenDebugging() {
        Window window;
        window.test.settings.write(QStringLiteral("Main"), QStringLiteral("DebugMode"),
                                   QStringLiteral("On"));
        QVERIFY(window.form.Form_Load());
        QVERIFY(window.child<QMenu>("DebugMenu")->menuAction()->isVisible());
        QCOMPARE(window.test.console.consoleLines(),
                 (QStringList{"WmSkypeControlAPIAttach is org.quenlark.HostControl1.Attach",
                              "WmSkypeControlAPIDiscover is org.quenlark.HostControl1.Discover",
                              "MainForm.hwnd is :1.7", "Me.hwnd is :1.7",
                              "ConnectToSkype status is 1[:1.7]"}));
        QVERIFY(window.transport.isRegistered());
        QVERIFY(window.form.tray().isAdded());
    }

    void attachShowsUserAndCounter() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.transport.attach(kHost, 0);
        window.transport.notifyLine(kHost, QStringLiteral("CURRENTUSERHANDLE alice"));
        window.transport.notifyLine(kHost, QStringLiteral("USERSTATUS ONLINE"));
        QCOMPARE(window.form.windowTitle(), QStringLiteral("Quenlark(alice)"));
        QCOMPARE(window.child<QLineEdit>("CurrentUserHandleText")->text(), QStringLiteral("alice"));
        QCOMPARE(window.child<QLabel>("UserStatusLabel")->text(), QStringLiteral("ONLINE"));
        QCOMPARE(window.child<QLineEdit>("RecieveResponseCounterText")->text(),
                 QStringLiteral("2"));
        QCOMPARE(window.child<QLabel>("SkypeStatusLabel")->text(), QString());
    }

    void attachLoadsTheFeatureWindowsAndRoutesTheirLines() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.transport.attach(kHost, 0);
        // The audio window asks the host for its devices when it loads, and takes the replies.
        QVERIFY(window.transport.sentLines().contains(QStringLiteral("GET AUDIO_IN")));
        window.transport.notifyLine(kHost, QStringLiteral("AUDIO_IN Built-in Microphone"));
        auto* audioIn = window.form.windows().audio().findChild<QLineEdit*>(
            QStringLiteral("AudioInText"));
        QVERIFY(audioIn);
        QCOMPARE(audioIn->text(), QStringLiteral("Built-in Microphone"));
        // The sound layer's state shows on the main window.
        window.form.windows().mci().setStatusText(QStringLiteral("Play"));
        QCOMPARE(window.child<QLabel>("MCIStatusLabel")->text(), QStringLiteral("Play"));
    }

    void propertiesButtonsAndMenusOpenTheirWindows() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.child<QCheckBox>("SendMailCheck")->setChecked(true);
        window.child<QPushButton>("Command2")->click();
        QVERIFY(window.form.windows().sendMail().isVisible());
        window.form.windows().sendMail().hide();
        window.form.findChild<QAction*>(QStringLiteral("PlayerMenu"))->trigger();
        QVERIFY(window.form.windows().player().isVisible());
        window.form.findChild<QAction*>(QStringLiteral("MixerConfigMenu"))->trigger();
        QVERIFY(window.form.windows().mixerConfig().isVisible());
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
        Window window;
        window.transport.setConnected(false);
        QVERIFY(!window.form.Form_Load());
        QCOMPARE(window.form.exitCode(), 1);
        QVERIFY(!window.form.tray().isAdded());
    }

    void tickingABoxEnablesItsButtonAndExitSavesIt() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.transport.attach(kHost, 0);
        window.child<QCheckBox>("CallbackAnounceCheck")->click();
        QVERIFY(window.child<QPushButton>("Command3")->isEnabled());
        QVERIFY(window.form.core().switchOn(MainFormCore::CallbackAnounce));
        QCOMPARE(window.test.settings.read(QStringLiteral("Main"),
                                           QStringLiteral("CallbackAnounceFlag")),
                 QString());
        window.child<QAction>("PopupExitMenu")->trigger();
        QCOMPARE(window.test.settings.read(QStringLiteral("Main"),
                                           QStringLiteral("CallbackAnounceFlag")),
                 QStringLiteral("1"));
        QVERIFY(!window.form.tray().isAdded());
        QVERIFY(!window.transport.isRegistered());
    }

    void closingDoesNotSaveTheSwitches() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.form.show();
        window.child<QCheckBox>("SendIMCheck")->click();
        window.form.close();
        QVERIFY(window.test.settings.keys(QStringLiteral("Main")).isEmpty());
        QVERIFY(!window.form.tray().isAdded());
    }

    void hideThenShowFromThePopup() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.form.show();
        window.child<QAction>("FileMenuHideItem")->trigger();
        QVERIFY(!window.form.isVisible());
        window.child<QAction>("ShowMainFormMenu")->trigger();
        QVERIFY(window.form.isVisible());
    }

    void popupOpensOnTheRightButtonOnly_data() {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("opens");
        QTest::newRow("right button") << int(QSystemTrayIcon::Context) << true;
        QTest::newRow("left click") << int(QSystemTrayIcon::Trigger) << false;
        QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << false;
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << false;
    }
    void popupOpensOnTheRightButtonOnly() {
        QFETCH(int, reason);
        QFETCH(bool, opens);
        Window window;
        QVERIFY(window.form.Form_Load());
        window.form.hide();
        window.form.tray().onActivated(static_cast<QSystemTrayIcon::ActivationReason>(reason));
        QCOMPARE(window.child<QMenu>("Popup2Menu")->isVisible(), opens);
        QVERIFY(!window.form.isVisible());
        window.child<QMenu>("Popup2Menu")->hide();
    }

    void trayPicturesFollowTheKind() {
        Window window;
        QVERIFY(window.form.Form_Load());
        TrayIcon& tray = window.form.tray();
        QVERIFY(!tray.picture(TrayIcon::Answering).isNull()); // shipped with the program
        tray.SetIcon(TrayIcon::Answering);
        QCOMPARE(tray.currentKind(), int(TrayIcon::Answering));
        tray.SetIcon(7);
        QCOMPARE(tray.currentKind(), int(TrayIcon::Normal));
        // Without the picture files the icon is still added; other kinds show nothing.
        tray.InitIcon(window.test.tempPath());
        tray.AddIcon();
        QVERIFY(tray.isAdded());
        tray.SetIcon(TrayIcon::Answering);
        QVERIFY(tray.systemTrayIcon().icon().isNull());
    }

    void aboutShowsNameAndVersion() {
        Window window;
        QVERIFY(window.form.Form_Load());
        window.child<QAction>("HelpMenuAboutItem")->trigger();
        AboutDialog* about = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<AboutDialog*>(widget))
                about = dialog;
        }
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QVERIFY(about->isModal() || about->windowModality() == Qt::ApplicationModal);
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("Label5"))->text(),
                 QStringLiteral("Version : 1.0.0"));
        about->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        QVERIFY(!about->isVisible());
    }
};

QUENLARK_TEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
