#include "mainform.h"

#include "answering/autoanswermachine.h"
#include "app/session.h"
#include "applylanguage.h"
#include "audio/mcilib.h"
#include "base/debugconsole.h"
#include "base/loglib.h"
#include "base/services.h"
#include "centerform.h"
#include "controls.h"
#include "languagedialog.h"
#include "mainformwindows.h"
#include "notify/mailsender.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/hosttransport.h"
#include "platform/singleinstance.h"
#include "trayicon.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
constexpr const char* kModule = "MainForm";

using Controls::button;
using Controls::label;

QLineEdit* readOnlyText(QWidget* parent, const char* name) {
    auto* text = Controls::lineEdit(parent, name);
    text->setReadOnly(true);
    return text;
}
} // namespace

MainForm::MainForm(Services& services, Session& session, SingleInstance& instance, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_session(session), m_core(session.main()),
      m_instance(instance), m_windows(std::make_unique<FeatureWindows>(services, session)),
      m_autostart(AutostartEntry::userConfigHome(), QCoreApplication::applicationFilePath()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(m_core.caption());
    buildControls();
    buildMenus();
    m_tray = std::make_unique<TrayIcon>(m_popupMenu, this);
    bindCore();
    bindRecorder();
}

MainForm::~MainForm() {
    Form_Unload();
}

void MainForm::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainFormPanel"));
    setCentralWidget(central);
    auto* grid = new QGridLayout(central);
    int row = 0;
    auto pair = [&](QLabel* left, QWidget* right) {
        // A text field is named by its caption, so a screen reader speaks what it holds.
        if (qobject_cast<QLineEdit*>(right))
            left->setBuddy(right);
        grid->addWidget(left, row, 0);
        grid->addWidget(right, row, 1, 1, 2);
        ++row;
    };
    m_skypeStatusLabel = label(central, "SkypeStatusLabel", {});
    pair(label(central, "Label6", QStringLiteral("Skype Status")), m_skypeStatusLabel);
    m_userStatusLabel = label(central, "UserStatusLabel", {});
    pair(label(central, "Label11", QStringLiteral("User Status")), m_userStatusLabel);
    m_currentUserHandleText = readOnlyText(central, "CurrentUserHandleText");
    pair(label(central, "Label2", QStringLiteral("Current Skype Account")),
         m_currentUserHandleText);
    m_counterText = readOnlyText(central, "RecieveResponseCounterText");
    pair(label(central, "Label1", QStringLiteral("Recv Response from Skeype")), m_counterText);

    grid->addWidget(label(central, "Label3", QStringLiteral("Functions"), 12), row++, 0, 1, 3);
    struct SwitchRow {
        MainFormCore::Switch which;
        const char* box;
        const char* boxText;
        int boxTag;
        const char* button;
        int buttonTag;
    };
    const SwitchRow rows[] = {
        {MainFormCore::SendIM, "SendIMCheck", "Send Status By IM (Ringing and IM)", 101, "Command1",
         2},
        {MainFormCore::SendMail, "SendMailCheck", "Send Status By Mail (Ringing Only!!)", 102,
         "Command2", 2},
        {MainFormCore::CallbackAnounce, "CallbackAnounceCheck", "Announce Call/Message Back", 103,
         "Command3", 2},
        {MainFormCore::AutoAnswer, "AutoAnswerCheck", "Auto Answering", 104, "Command4", 8},
    };
    for (const SwitchRow& r : rows) {
        auto* box = Controls::checkBox(central, r.box, QString::fromLatin1(r.boxText), r.boxTag);
        auto* properties = button(central, r.button, QStringLiteral("Properties ..."), r.buttonTag);
        grid->addWidget(box, row, 0, 1, 2);
        grid->addWidget(properties, row++, 2);
        addSwitch(r.which, box, properties);
    }

    pair(label(central, "Label9", QStringLiteral("AutoAnswering")),
         label(central, "AutoAnsweringStatusLabel", {}));
    pair(label(central, "Label7", QStringLiteral("Recording")),
         label(central, "RecordingStatusLabel", {}));
    m_mailStatusLabel = label(central, "MailStatusLabel", {});
    pair(label(central, "Label8", QStringLiteral("Mail")), m_mailStatusLabel);
    m_mciStatusLabel = label(central, "MCIStatusLabel", {});
    grid->addWidget(m_mciStatusLabel, row++, 0, 1, 3);

    grid->addWidget(label(central, "Label4", QStringLiteral("Record Call"), 7), row, 0);
    grid->addWidget(button(central, "RecordButton", QStringLiteral("Record Start"), 10), row, 1);
    grid->addWidget(button(central, "Command5", QStringLiteral("Recording History ..."), 13), row++,
                    2);
    grid->addWidget(label(central, "Label5", QStringLiteral("Contact"), 95), row, 0);
    grid->addWidget(button(central, "Command6", QStringLiteral("Contact List"), 96), row++, 1);
    grid->addWidget(label(central, "Label10", QStringLiteral("Remote Control"), 83), row, 0);
    grid->addWidget(button(central, "Command7", QStringLiteral("AutoAnswer"), 9), row++, 1);
}

void MainForm::addSwitch(MainFormCore::Switch which, QCheckBox* box, QPushButton* properties) {
    m_switchBoxes[which] = box;
    m_switchButtons[which] = properties;
    properties->setEnabled(false);
    // A click takes effect at once and enables the button; nothing is saved.
    connect(box, &QCheckBox::toggled, this, [this, which](bool on) {
        m_core.setSwitch(which, on);
        m_switchButtons[which]->setEnabled(on);
    });
}

void MainForm::bindCore() {
    connect(&m_core, &MainFormCore::switchChanged, this,
            [this](MainFormCore::Switch which, bool on) {
                m_switchBoxes[which]->setChecked(on);
                m_switchButtons[which]->setEnabled(on);
            });
    connect(&m_core, &MainFormCore::skypeStatusChanged, m_skypeStatusLabel, &QLabel::setText);
    connect(&m_core, &MainFormCore::userStatusChanged, m_userStatusLabel, &QLabel::setText);
    connect(&m_core, &MainFormCore::currentUserHandleChanged, m_currentUserHandleText,
            &QLineEdit::setText);
    connect(&m_core, &MainFormCore::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_core, &MainFormCore::responseCountChanged, this,
            [this](qint32 count) { m_counterText->setText(QString::number(count)); });
    connect(&m_core, &MainFormCore::applyLanguageRequested, this, [this] {
        ApplyLanguageToAll(m_services.language, m_languageDialog->GetLanguageSetting());
    });
    connect(&m_core, &MainFormCore::loadWindowsRequested, m_windows.get(),
            &FeatureWindows::loadAll);
    connect(&m_session.mail(), &MailSender::mailStatusChanged, m_mailStatusLabel, &QLabel::setText);
    connect(&m_session.mci(), &MCILib::statusTextChanged, m_mciStatusLabel, &QLabel::setText);
    connect(m_switchButtons[MainFormCore::SendIM], &QPushButton::clicked, this,
            &MainForm::BroadCastStatus_Click);
    connect(m_switchButtons[MainFormCore::SendMail], &QPushButton::clicked, this,
            &MainForm::SendMailSetting_Click);
    connect(m_switchButtons[MainFormCore::CallbackAnounce], &QPushButton::clicked, this,
            &MainForm::AnnounceBack_Click);
    connect(m_switchButtons[MainFormCore::AutoAnswer], &QPushButton::clicked, this,
            &MainForm::AutoAnswerMenu_Click);
    connect(findChild<QPushButton*>(QStringLiteral("Command6")), &QPushButton::clicked, this,
            &MainForm::Command6_Click);
    connect(findChild<QPushButton*>(QStringLiteral("Command7")), &QPushButton::clicked, this,
            &MainForm::Command7_Click);
    connect(&m_session.answering(), &AutoAnswerMachine::stateChanged,
            findChild<QLabel*>(QStringLiteral("AutoAnsweringStatusLabel")), &QLabel::setText);
    connect(&m_session, &Session::answeringIconChanged, this,
            [this](int kind) { m_tray->SetIcon(kind); });
}

void MainForm::UpdateButtonStatus() {
    TraceScope trace(m_services.log, kModule, "UpdateButtonStatus");
    for (const auto which : {MainFormCore::AutoAnswer, MainFormCore::CallbackAnounce,
                             MainFormCore::SendIM, MainFormCore::SendMail})
        m_switchButtons[which]->setEnabled(m_switchBoxes[which]->isChecked());
}

bool MainForm::Form_Load() {
    TraceScope trace(m_services.log, kModule, "Form_load");
    m_services.clock.seedFromClock();
    m_core.LoadDebug();
    m_debugMenu->menuAction()->setVisible(m_core.debugMode());
    m_skypeStatusLabel->clear();
    m_mciStatusLabel->clear();
    m_mailStatusLabel->clear();
    if (m_instance.anotherCopyRunning()) {
        endProgram(0);
        return false;
    }
    m_services.log.SetLogLevel(m_core.logLevel());
    m_languageDialog = std::make_unique<LanguageDialog>(m_services);
    m_core.setPongFlag(false);
    m_tray->InitIcon(m_services.folders.shippedFilesPath());
    setWindowIcon(m_tray->picture(TrayIcon::Normal));
    m_services.folders.createDataFolders();
    m_core.resetResponseCounter();
    printStartupFacts();
    m_core.api().Register();
    if (m_core.api().ConnectToSkype() == 0) {
        endProgram(1);
        return false;
    }
    m_tray->AddIcon();
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    return true;
}

void MainForm::printStartupFacts() {
    // The link's two messages are the interface members; handles are bus names.
    DebugConsole& console = m_services.console;
    const QString iface = QString::fromLatin1(HostTransport::kInterface);
    const QString own = m_core.api().transport().ownHandle();
    console.ConsolePrint(QStringLiteral("WmSkypeControlAPIAttach is ") + iface +
                         QStringLiteral(".Attach"));
    console.ConsolePrint(QStringLiteral("WmSkypeControlAPIDiscover is ") + iface +
                         QStringLiteral(".Discover"));
    console.ConsolePrint(QStringLiteral("MainForm.hwnd is ") + own);
    console.ConsolePrint(QStringLiteral("Me.hwnd is ") + own);
}

void MainForm::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    TraceScope trace(m_services.log, kModule, "Form_Unload");
    m_tray->DeleteIcon();
    m_core.timer1().stop();
    m_core.api().Unregister();
}

void MainForm::endProgram(int code) {
    m_exitCode = code;
    Form_Unload();
    QCoreApplication::exit(code);
}

void MainForm::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program; the switches are not saved this way.
    event->accept();
    endProgram(0);
}

void MainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    CenterForm(this);
}
