// The main window's menus and what their items do.
#include "mainform.h"

#include "aboutdialog.h"
#include "answering/autoanswerform.h"
#include "answering/remoteautoanswerform.h"
#include "app/session.h"
#include "applylanguage.h"
#include "audio/mciform.h"
#include "audio/mixerconfigform.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "blackjackform.h"
#include "consoleform.h"
#include "contacts/contactform.h"
#include "controls.h"
#include "games/dartsform.h"
#include "games/dartsgame.h"
#include "languagedialog.h"
#include "mainformwindows.h"
#include "notify/announcebackform.h"
#include "notify/broadcaststatusform.h"
#include "notify/desktopnotifications.h"
#include "notify/sendmailform.h"
#include "notify/trackerforms.h"
#include "platform/prompts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>

namespace {
constexpr const char* kModule = "MainForm";

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& title, int textId = -1) {
    return Controls::named(bar->addMenu(title), name, textId);
}

QAction* addItem(QMenu* menu, const char* name, const QString& text, int textId = -1) {
    return Controls::named(menu->addAction(text), name, textId);
}
} // namespace

void MainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    // The tray popup is the menu bar's first drop-down; it never shows in the bar itself.
    m_popupMenu = addMenu(bar, "Popup2Menu", QStringLiteral("Popup"));
    m_popupMenu->menuAction()->setVisible(false);
    connect(addItem(m_popupMenu, "ShowMainFormMenu", QStringLiteral("Show"), 24),
            &QAction::triggered, this, &MainForm::ShowMainFormMenu_Click);
    connect(addItem(m_popupMenu, "ShowAboutMenu", QStringLiteral("About"), 25), &QAction::triggered,
            this, &MainForm::ShowAboutMenu_Click);
    m_popupMenu->addSeparator()->setObjectName(QStringLiteral("SP2Menu"));
    connect(addItem(m_popupMenu, "PopupExitMenu", QStringLiteral("Exit"), 26), &QAction::triggered,
            this, &MainForm::PopupExitMenu_Click);

    QMenu* file = addMenu(bar, "FileMenu", QStringLiteral("File"), 1);
    connect(addItem(file, "FileMenuHideItem", QStringLiteral("Hide"), 6), &QAction::triggered, this,
            &MainForm::FileMenuHideItem_Click);
    // Checked while the desktop's autostart folder holds our entry, which the desktop's own
    // settings may remove at any time: the mark is read again whenever the menu opens.
    m_autostartItem = addItem(file, "FileMenuAutostartItem",
                              QStringLiteral("Start Quenlark when I log in"), 960);
    m_autostartItem->setCheckable(true);
    m_autostartItem->setChecked(m_autostart.isEnabled());
    connect(m_autostartItem, &QAction::triggered, this, &MainForm::FileMenuAutostartItem_Click);
    connect(file, &QMenu::aboutToShow, this,
            [this] { m_autostartItem->setChecked(m_autostart.isEnabled()); });

    // MixerMenu has no action.
    QMenu* properties = addMenu(bar, "PropertiesMenu", QStringLiteral("Properties .."), 2);
    connect(addItem(properties, "LanguageMenu", QStringLiteral("Language"), 23),
            &QAction::triggered, this, &MainForm::LanguageMenu_Click);
    connect(
        addItem(properties, "ToolMenuBroadCastStatusItem", QStringLiteral("Send IM Setting ...")),
        &QAction::triggered, this, &MainForm::BroadCastStatus_Click);
    connect(
        addItem(properties, "FileMenuSendMailSettingItem", QStringLiteral("Send Mail Setting ...")),
        &QAction::triggered, this, &MainForm::SendMailSetting_Click);
    connect(addItem(properties, "AnnounceBackMenu", QStringLiteral("AnnounceBack ...")),
            &QAction::triggered, this, &MainForm::AnnounceBack_Click);
    connect(addItem(properties, "AutoAnswerMenu", QStringLiteral("Auto Answer ...")),
            &QAction::triggered, this, &MainForm::AutoAnswerMenu_Click);
    addItem(properties, "RecordingMenu", QStringLiteral("Recording ..."));
    DesktopNotifications& desktop = m_session.desktop();
    QAction* notify = addItem(properties, "DesktopNotifyMenu",
                              QStringLiteral("Desktop notifications"), 962);
    notify->setCheckable(true);
    notify->setChecked(desktop.isEnabled());
    connect(notify, &QAction::triggered, &desktop, &DesktopNotifications::setEnabled);
    // "Open messages" on a recorded message's notification: the window with the list.
    connect(&desktop, &DesktopNotifications::openMessagesRequested, this,
            &MainForm::AutoAnswerMenu_Click);

    QMenu* tool = addMenu(bar, "ToolMenu", QStringLiteral("Tool"), 4);
    connect(addItem(tool, "FileMenuConnectItem", QStringLiteral("Connect")), &QAction::triggered,
            this, &MainForm::FileMenuConnectItem_Click);
    connect(addItem(tool, "SoundVolumeMenu", QStringLiteral("SoundVolume")), &QAction::triggered,
            this, &MainForm::SoundVolumeMenu_Click);

    QMenu* game = addMenu(bar, "GameMenuItem", QStringLiteral("Game"));
    connect(addItem(game, "DartsMenuItem", QStringLiteral("Darts"), 47), &QAction::triggered, this,
            &MainForm::DartsMenuItem_Click);

    m_debugMenu = addMenu(bar, "DebugMenu", QStringLiteral("Debug"));
    m_debugMenu->menuAction()->setVisible(false);
    connect(addItem(m_debugMenu, "ToolMenuConsoleItem", QStringLiteral("Console")),
            &QAction::triggered, this, &MainForm::ToolMenuConsoleItem_Click);
    connect(addItem(m_debugMenu, "ToolMenuMessageItem", QStringLiteral("Message")),
            &QAction::triggered, this, &MainForm::ToolMenuMessageItem_Click);
    connect(addItem(m_debugMenu, "ToolMenuCallItem", QStringLiteral("Call")), &QAction::triggered,
            this, &MainForm::ToolMenuCallItem_Click);
    connect(addItem(m_debugMenu, "MixerConfigMenu", QStringLiteral("MixerConfig")),
            &QAction::triggered, this, &MainForm::MixerConfigMenu_Click);
    addItem(m_debugMenu, "MixerMenu", QStringLiteral("Mixer"));
    connect(addItem(m_debugMenu, "PlayerMenu", QStringLiteral("Player")), &QAction::triggered, this,
            &MainForm::PlayerMenu_Click);
    connect(addItem(m_debugMenu, "BlackJackMenu", QStringLiteral("BlackJack")), &QAction::triggered,
            this, &MainForm::BlackJackMenu_Click);
    connect(addItem(m_debugMenu, "DisplayMenuFriendsItem", QStringLiteral("Friends")),
            &QAction::triggered, this, &MainForm::DisplayMenuFriendsItem_Click);

    QMenu* help = addMenu(bar, "HelpMenu", QStringLiteral("Help"), 5);
    connect(addItem(help, "HelpMenuAboutItem", QStringLiteral("About"), 25), &QAction::triggered,
            this, &MainForm::ShowAboutMenu_Click);
}

void MainForm::ShowMainFormMenu_Click() {
    TraceScope trace(m_services.log, kModule, "ShowMainFormMenu_Click");
    show();
    raise();
    activateWindow();
}

void MainForm::ShowAboutMenu_Click() {
    TraceScope trace(m_services.log, kModule, "ShowAboutMenu_Click");
    FeatureWindows::open(&m_windows->about());
}

void MainForm::PopupExitMenu_Click() {
    TraceScope trace(m_services.log, kModule, "PopupExitMenu_Click");
    // The only way out that keeps the switches for the next run.
    m_core.SaveMainSetting();
    hide();
    endProgram(0);
}

void MainForm::FileMenuAutostartItem_Click(bool checked) {
    TraceScope trace(m_services.log, kModule, "FileMenuAutostartItem_Click");
    if (!m_autostart.setEnabled(checked)) {
        m_services.log.WriteLog(QStringLiteral("MainForm: ") + m_autostart.error(), -1);
        m_services.prompts.message(
            m_services.language.GetLanguageString(961).arg(m_autostart.error()));
    }
    m_autostartItem->setChecked(m_autostart.isEnabled());
}

void MainForm::FileMenuConnectItem_Click() {
    TraceScope trace(m_services.log, kModule, "FileMenuConnectItem_Click");
    if (m_core.api().ConnectToSkype() == 0)
        endProgram(1);
}

void MainForm::SoundVolumeMenu_Click() {
    TraceScope trace(m_services.log, kModule, "SoundVolumeMenu_Click");
    // The desktop's volume control, when one is installed; otherwise nothing happens.
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
    if (!program.isEmpty())
        QProcess::startDetached(program, {});
}

void MainForm::ToolMenuConsoleItem_Click() {
    TraceScope trace(m_services.log, kModule, "ToolMenuConsoleItem_Click");
    FeatureWindows::open(&m_windows->console());
}

void MainForm::LanguageMenu_Click() {
    TraceScope trace(m_services.log, kModule, "LanguageMenu_Click");
    if (m_languageDialog)
        FeatureWindows::open(m_languageDialog.get());
}

void MainForm::BlackJackMenu_Click() {
    TraceScope trace(m_services.log, kModule, "BlackJackMenu_Click");
    FeatureWindows::open(&m_windows->blackJack());
}

void MainForm::DartsMenuItem_Click() {
    TraceScope trace(m_services.log, kModule, "DartsMenuItem_Click");
    // A session still running ends with BYE before the window starts afresh.
    DartsForm& darts = m_windows->darts();
    darts.game().resetFromMenu();
    FeatureWindows::open(&darts);
}

void MainForm::SendMailSetting_Click() {
    TraceScope trace(m_services.log, kModule, "Command2_Click");
    FeatureWindows::open(&m_windows->sendMail());
}

void MainForm::AutoAnswerMenu_Click() {
    TraceScope trace(m_services.log, kModule, "AutoAnswerMenu_Click");
    FeatureWindows::open(&m_windows->autoAnswer());
}

void MainForm::MixerConfigMenu_Click() {
    TraceScope trace(m_services.log, kModule, "MixerConfigMenu_Click");
    FeatureWindows::open(&m_windows->mixerConfig());
}

void MainForm::PlayerMenu_Click() {
    TraceScope trace(m_services.log, kModule, "PlayerMenu_Click");
    FeatureWindows::open(&m_windows->player());
}

void MainForm::BroadCastStatus_Click() {
    TraceScope trace(m_services.log, kModule, "Command1_Click");
    FeatureWindows::open(&m_windows->broadcastStatus());
}

void MainForm::AnnounceBack_Click() {
    TraceScope trace(m_services.log, kModule, "Command3_Click");
    FeatureWindows::open(&m_windows->announceBack());
}

void MainForm::ToolMenuMessageItem_Click() {
    TraceScope trace(m_services.log, kModule, "ToolMenuMessageItem_Click");
    FeatureWindows::open(&m_windows->messages());
}

void MainForm::ToolMenuCallItem_Click() {
    TraceScope trace(m_services.log, kModule, "ToolMenuCallItem_Click");
    FeatureWindows::open(&m_windows->calls());
}

void MainForm::DisplayMenuFriendsItem_Click() {
    TraceScope trace(m_services.log, kModule, "DisplayMenuFriendsItem_Click");
    FeatureWindows::open(&m_windows->friends());
}

void MainForm::Command6_Click() {
    TraceScope trace(m_services.log, kModule, "Command6_Click");
    FeatureWindows::open(&m_windows->contacts());
}

void MainForm::Command7_Click() {
    TraceScope trace(m_services.log, kModule, "Command7_Click");
    FeatureWindows::open(&m_windows->remoteAutoAnswer());
}
