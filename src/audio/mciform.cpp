#include "mciform.h"

#include "base/services.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

MCIForm::MCIForm(Services& services, MCIPlayer& player, QWidget* parent)
    : QWidget(parent, Qt::Window), m_player(player) {
    setObjectName(QStringLiteral("MCIForm"));
    setWindowTitle(QStringLiteral("sndPlayer"));
    buildControls();
    connect(&m_player, &MCIPlayer::changed, this, &MCIForm::showState);
    connect(&m_player, &MCIPlayer::exitRequested, qApp, &QCoreApplication::quit);
    showState();
    CenterForm(this);
    ApplyLanguage(this, services.language);
}

void MCIForm::buildControls() {
    auto* layout = new QGridLayout(this);
    layout->addWidget(Controls::label(this, "Label2", QStringLiteral("File:")), 0, 0);
    m_fileNameText = Controls::lineEdit(this, "FileNameText");
    layout->addWidget(m_fileNameText, 0, 1, 1, 4);
    layout->addWidget(Controls::label(this, "Label1", QStringLiteral("MCI Response:")), 1, 0);
    m_response = Controls::lineEdit(this, "txtGetString");
    layout->addWidget(m_response, 1, 1, 1, 4);
    m_play = Controls::button(this, "PlayButton", QStringLiteral("Play"));
    m_record = Controls::button(this, "RecordButton", QStringLiteral("Record"));
    m_stop = Controls::button(this, "StopButton", QStringLiteral("Stop"));
    auto* exit = Controls::button(this, "Command1", QStringLiteral("Exit"));
    layout->addWidget(m_play, 2, 1);
    layout->addWidget(m_record, 2, 2);
    layout->addWidget(m_stop, 2, 3);
    layout->addWidget(exit, 2, 4);

    connect(m_fileNameText, &QLineEdit::textChanged, &m_player, &MCIPlayer::setFileName);
    connect(m_play, &QPushButton::clicked, &m_player, &MCIPlayer::PlayButton_Click);
    connect(m_record, &QPushButton::clicked, &m_player, &MCIPlayer::RecordButton_Click);
    connect(m_stop, &QPushButton::clicked, &m_player, &MCIPlayer::StopButton_Click);
    connect(exit, &QPushButton::clicked, &m_player, &MCIPlayer::Command1_Click);
}

void MCIForm::showState() {
    m_response->setText(m_player.response());
    m_play->setEnabled(m_player.playEnabled());
    m_record->setEnabled(m_player.recordEnabled());
    m_stop->setEnabled(m_player.stopEnabled());
}
