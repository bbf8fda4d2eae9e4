#pragma once

#include "app/mainformcore.h"
#include "platform/autostart.h"

#include <QMainWindow>

#include <memory>

struct Services;
class AboutDialog;
class BlackJackForm;
class ConsoleForm;
class FeatureWindows;
class Session;
class LanguageDialog;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class SingleInstance;
class TrayIcon;

// The program's first window and its owner for the whole run: the link state, the four
// feature switches with their "Properties ..." buttons, the buttons and menus that open the
// other windows. Its logic lives in MainFormCore; this class binds the controls to it.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    MainForm(Services& services, Session& session, SingleInstance& instance,
             QWidget* parent = nullptr);
    ~MainForm() override;

    // Start-up; false when the program has to end (another copy runs, or no bus).
    bool Form_Load();
    // Shut-down: removes the tray icon and withdraws the link object. Runs once.
    void Form_Unload();

    MainFormCore& core() { return m_core; }
    Session& session() { return m_session; }
    TrayIcon& tray() { return *m_tray; }
    FeatureWindows& windows() { return *m_windows; }
    LanguageDialog* languageDialog() const { return m_languageDialog.get(); }
    // Non-zero exit code when start-up ended the program.
    int exitCode() const { return m_exitCode; }

    // Ticks and enables: each "Properties ..." button is enabled exactly when its box is.
    void UpdateButtonStatus();

    // Menu actions.
    void ShowMainFormMenu_Click();
    void ShowAboutMenu_Click();
    void PopupExitMenu_Click();
    void FileMenuHideItem_Click() { hide(); }
    void FileMenuAutostartItem_Click(bool checked);
    void FileMenuConnectItem_Click();
    void SoundVolumeMenu_Click();
    void ToolMenuConsoleItem_Click();
    void LanguageMenu_Click();
    void BlackJackMenu_Click();
    void DartsMenuItem_Click();
    // Command2 and FileMenuSendMailSettingItem: the mail settings window.
    void SendMailSetting_Click();
    void MixerConfigMenu_Click();
    void AutoAnswerMenu_Click();
    // Command5 and RecordingMenu: the recording history.
    void RecordingMenu_Click();
    void PlayerMenu_Click();
    // Command1 and ToolMenuBroadCastStatusItem: the chat report recipients.
    void BroadCastStatus_Click();
    // Command3 and AnnounceBackMenu: announce back.
    void AnnounceBack_Click();
    void ToolMenuMessageItem_Click();
    void ToolMenuCallItem_Click();
    void DisplayMenuFriendsItem_Click();
    // Command6: the contact list.
    void Command6_Click();
    // Command7: the remote answering-machine client.
    void Command7_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void bindCore();
    // RecordButton, AutoAnswerCheck's enabled state and RecordingStatusLabel follow the
    // call recorder (mainformrecording.cpp).
    void bindRecorder();
    void showRecorder();
    void addSwitch(MainFormCore::Switch which, QCheckBox* box, QPushButton* button);
    void printStartupFacts();
    void endProgram(int code);

    Services& m_services;
    Session& m_session;
    MainFormCore& m_core;
    SingleInstance& m_instance;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<FeatureWindows> m_windows;
    std::unique_ptr<LanguageDialog> m_languageDialog;
    std::array<QCheckBox*, MainFormCore::SwitchCount> m_switchBoxes{};
    std::array<QPushButton*, MainFormCore::SwitchCount> m_switchButtons{};
    QLabel* m_skypeStatusLabel = nullptr;
    QLabel* m_userStatusLabel = nullptr;
    QLabel* m_mciStatusLabel = nullptr;
    QLabel* m_mailStatusLabel = nullptr;
    QLineEdit* m_currentUserHandleText = nullptr;
    QLineEdit* m_counterText = nullptr;
    QMenu* m_popupMenu = nullptr;
    QMenu* m_debugMenu = nullptr;
    AutostartEntry m_autostart;
    QAction* m_autostartItem = nullptr;
    bool m_unloaded = false;
    int m_exitCode = 0;
};
