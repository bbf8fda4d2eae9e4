#include "autoanswerform.h"

#include "autoanswermachine.h"
#include "base/languagepack.h"
#include "base/services.h"
#include "controlerlistdialog.h"
#include "platform/prompts.h"
#include "remotecontrol.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {
QLineEdit* secondsBox(QWidget* parent, const char* name, int minimum) {
    auto* box = Controls::lineEdit(parent, name);
    box->setValidator(new QIntValidator(minimum, AutoAnswerSettings::kMaxWaitSec, box));
    box->setMaximumWidth(80);
    return box;
}
} // namespace

AutoAnswerForm::AutoAnswerForm(Services& services, AutoAnswerMachine& machine, MCILib& mci,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_machine(machine), m_list(mci) {
    Controls::named(this, "AutoAnswerForm", 9);
    setWindowTitle(QStringLiteral("Auto Answer"));
    buildLayout();
    connect(&m_machine, &AutoAnswerMachine::messagesChanged, this,
            &AutoAnswerForm::UpdateAutoanswerList);
    connect(&m_machine, &AutoAnswerMachine::playbackChanged, this,
            &AutoAnswerForm::onPlaybackChanged);
    Form_Load();
}

void AutoAnswerForm::buildLayout() {
    auto* layout = new QGridLayout(this);
    layout->addWidget(basicFrame(), 0, 0);
    layout->addWidget(listFrame(), 0, 1, 3, 1);
    layout->addWidget(remoteFrame(), 1, 0);
    layout->addWidget(mailFrame(), 2, 0);
}

QWidget* AutoAnswerForm::basicFrame() {
    auto* frame = Controls::named(new QGroupBox(QStringLiteral("Basic"), this), "Frame4", 89);
    auto* grid = new QGridLayout(frame);
    m_audioFile = Controls::lineEdit(frame, "AudioFileText");
    m_browse = Controls::button(frame, "Command2", QStringLiteral("Browse ..."), 36);
    m_wait1 = secondsBox(frame, "RingingWaitSec1Text", 0);
    m_wait2 = secondsBox(frame, "RingingWaitSec2Text", 0);
    m_recordingMax = secondsBox(frame, "RecordingMaxSecText", 1);
    m_audioSetting = Controls::button(frame, "Command5", QStringLiteral("Audio Setting"), 34);
    m_close = Controls::button(frame, "Command1", QStringLiteral("Close"), 6);
    m_monitorWarning = Controls::label(frame, "MonitorWarningLabel");
    m_monitorWarning->setWordWrap(true);
    grid->addWidget(Controls::label(frame, "Label1", QStringLiteral("Message Audio File :"), 29), 0,
                    0);
    grid->addWidget(m_audioFile, 0, 1, 1, 2);
    grid->addWidget(m_browse, 0, 3);
    const std::tuple<const char*, const char*, int, QLineEdit*, const char*> rows[] = {
        {"Label2", "Ringing Wait Time(Online) :", 30, m_wait1, "Label4"},
        {"Label3", "Ringing Wait Time(Busy) :", 31, m_wait2, "Label5"},
        {"Label6", "Max Recording Term :", 33, m_recordingMax, "Label7"}};
    int row = 1;
    for (const auto& [name, text, id, box, unit] : rows) {
        grid->addWidget(Controls::label(frame, name, QString::fromUtf8(text), id), row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(Controls::label(frame, unit, QStringLiteral("sec"), 32), row++, 2);
    }
    grid->addWidget(m_audioSetting, row, 0);
    grid->addWidget(m_close, row++, 3);
    grid->addWidget(m_monitorWarning, row, 0, 1, 4);

    connect(m_browse, &QPushButton::clicked, this, &AutoAnswerForm::Command2_Click);
    connect(m_audioSetting, &QPushButton::clicked, this, &AutoAnswerForm::Command5_Click);
    connect(m_close, &QPushButton::clicked, this, &AutoAnswerForm::Command1_Click);
    // The machine reads the controls' values as they are typed.
    AutoAnswerSettings& settings = m_machine.settings();
    connect(m_audioFile, &QLineEdit::textChanged, this,
            [&settings](const QString& text) { settings.audioFile = text.trimmed(); });
    connect(m_wait1, &QLineEdit::textChanged, this,
            [&settings](const QString& text) { settings.ringingWaitSec1 = text; });
    connect(m_wait2, &QLineEdit::textChanged, this,
            [&settings](const QString& text) { settings.ringingWaitSec2 = text; });
    connect(m_recordingMax, &QLineEdit::textChanged, this,
            [&settings](const QString& text) { settings.recordingMaxSec = text; });
    return frame;
}

QWidget* AutoAnswerForm::remoteFrame() {
    auto* frame =
        Controls::named(new QGroupBox(QStringLiteral("Remote Control"), this), "Frame2", 98);
    auto* grid = new QGridLayout(frame);
    m_remoteKey = Controls::lineEdit(frame, "RemoteControlKeyText");
    auto* controlers = Controls::button(frame, "Command6", QStringLiteral("Controler List"), 82);
    grid->addWidget(Controls::label(frame, "Label9", QStringLiteral("AccessKey :"), 81), 0, 0);
    grid->addWidget(m_remoteKey, 0, 1);
    grid->addWidget(controlers, 1, 1);
    connect(controlers, &QPushButton::clicked, this, &AutoAnswerForm::Command6_Click);
    connect(m_remoteKey, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_machine.settings().remoteControlKey = text; });
    return frame;
}

QWidget* AutoAnswerForm::mailFrame() {
    auto* frame =
        Controls::named(new QGroupBox(QStringLiteral("Mail Setting"), this), "Frame1", 97);
    auto* grid = new QGridLayout(frame);
    m_mailFlag = Controls::checkBox(frame, "MailFlagCheck",
                                    QStringLiteral("Mail Recorded Message File"), 106);
    m_mailAddress = Controls::lineEdit(frame, "MailAddressText");
    grid->addWidget(m_mailFlag, 0, 0, 1, 2);
    grid->addWidget(Controls::label(frame, "Label8", QStringLiteral("Sent to Mail Address :"), 35),
                    1, 0);
    grid->addWidget(m_mailAddress, 1, 1);
    connect(m_mailFlag, &QCheckBox::toggled, this,
            [this](bool on) { m_machine.settings().mailFlag = on; });
    connect(m_mailAddress, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_machine.settings().mailAddress = text; });
    return frame;
}

void AutoAnswerForm::Form_Load() {
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
    LoadAutoAnswerSettings();
    UpdateAutoanswerList();
    m_machine.start();
}

void AutoAnswerForm::LoadAutoAnswerSettings() {
    AutoAnswerSettings loaded;
    loaded.load(m_services.settings);
    m_audioFile->setText(loaded.audioFile);
    m_wait1->setText(loaded.ringingWaitSec1);
    m_wait2->setText(loaded.ringingWaitSec2);
    m_recordingMax->setText(loaded.recordingMaxSec);
    m_mailFlag->setChecked(loaded.mailFlag);
    m_mailAddress->setText(loaded.mailAddress);
    m_remoteKey->setText(loaded.remoteControlKey);
    m_machine.settings() = loaded;
}

void AutoAnswerForm::SaveAutoAnswerSettings() {
    m_machine.settings().save(m_services.settings);
}

void AutoAnswerForm::Command1_Click() {
    // An empty key keeps remote control off; any other key must be one the scrambling carries.
    const QString key = m_remoteKey->text();
    const QString problem = RemoteControl::accessKeyProblem(key);
    if (!key.isEmpty() && !problem.isEmpty()) {
        m_services.prompts.message(problem + QStringLiteral(" The settings are not stored."),
                                   windowTitle());
        m_remoteKey->setFocus();
        return;
    }
    SaveAutoAnswerSettings();
    hide();
}

void AutoAnswerForm::Command2_Click() {
    const QString chosen = m_services.prompts
                               .openFileName(QStringLiteral("Message Audio File"), QString(),
                                             QStringLiteral("WAV (*.wav);;* (*)"))
                               .trimmed();
    // A cancelled dialog keeps the greeting as it was.
    if (!chosen.isEmpty())
        m_audioFile->setText(chosen);
}

void AutoAnswerForm::Command5_Click() {
    if (m_openMixer)
        m_openMixer();
    updateMonitorWarning();
}

void AutoAnswerForm::Command6_Click() {
    emit controlerListRequested();
    auto* dialog = new ControlerListDialog(m_services, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open(); // window-modal, without a loop of its own
}

void AutoAnswerForm::showEvent(QShowEvent* event) {
    updateMonitorWarning();
    if (m_listStale)
        refreshList();
    QWidget::showEvent(event);
}

void AutoAnswerForm::updateMonitorWarning() {
    const bool monitor = !m_isMonitor || m_isMonitor();
    m_monitorWarning->setText(monitor ? QString() : m_services.language.GetLanguageString(122));
}
