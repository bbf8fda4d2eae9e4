#include "remoteautoanswerform.h"

#include "base/services.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

using Controls::named;

RemoteAutoAnswerForm::RemoteAutoAnswerForm(Services& services, RemoteControl& remote,
                                           QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_client(remote) {
    setObjectName(QStringLiteral("RemoteAutoAnswerForm"));
    setWindowTitle(QStringLiteral("Remote[AutoAnswer]"));
    setTag(this, QStringLiteral("STR-ID:121"));
    m_user = named(new QLineEdit(this), "RemoteUserText");
    m_key = named(new QLineEdit(this), "RemoteControlKeyText");
    m_key->setMaxLength(64);
    m_list = named(new QListWidget(this), "RecordedFileList");
    auto* getList = named(new QPushButton(QStringLiteral("Get List"), this), "Command2", 85);
    m_play = named(new QPushButton(QStringLiteral("Play Request"), this), "Command3", 86);
    auto* close = named(new QPushButton(QStringLiteral("Close"), this), "Command1", 6);
    auto* layout = new QGridLayout(this);
    layout->addWidget(named(new QLabel(QStringLiteral("Remote User"), this), "Label1", 84), 0, 0);
    layout->addWidget(m_user, 0, 1);
    layout->addWidget(named(new QLabel(QStringLiteral("Remote Control Key"), this), "Label2", 81),
                      1, 0);
    layout->addWidget(m_key, 1, 1);
    layout->addWidget(getList, 1, 2);
    layout->addWidget(m_list, 2, 0, 1, 3);
    layout->addWidget(m_play, 3, 0);
    layout->addWidget(close, 3, 2);
    m_play->setEnabled(false);
    connect(getList, &QPushButton::clicked, this, &RemoteAutoAnswerForm::Command2_Click);
    connect(m_play, &QPushButton::clicked, this, &RemoteAutoAnswerForm::Command3_Click);
    connect(close, &QPushButton::clicked, this, &RemoteAutoAnswerForm::Command1_Click);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            &RemoteAutoAnswerForm::RecordedFileList_Click);
    connect(&m_client, &RemoteAutoAnswerClient::linesChanged, this,
            &RemoteAutoAnswerForm::showLines);
    connect(&m_client, &RemoteAutoAnswerClient::notice, this, &RemoteAutoAnswerForm::showNotice);
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
}

void RemoteAutoAnswerForm::Command2_Click() {
    m_client.Command2_Click(m_user->text(), m_key->text());
}

void RemoteAutoAnswerForm::Command3_Click() {
    if (const QListWidgetItem* item = m_list->currentItem(); item && item->isSelected())
        m_client.Command3_Click(item->text());
}

void RemoteAutoAnswerForm::Command1_Click() {
    m_client.Command1_Click();
    hide();
}

void RemoteAutoAnswerForm::closeEvent(QCloseEvent* event) {
    // The title bar's close ends the session as Close does.
    m_client.Command1_Click();
    QWidget::closeEvent(event);
}

void RemoteAutoAnswerForm::showLines() {
    m_list->clear();
    m_list->addItems(m_client.lines());
    RecordedFileList_Click();
}

void RemoteAutoAnswerForm::RecordedFileList_Click() {
    m_play->setEnabled(m_list->count() > 0 && !m_list->selectedItems().isEmpty());
}

void RemoteAutoAnswerForm::showNotice(const QString& text, const QString& title) {
    // Raised from a host line or a timer tick: shown without waiting, so the next line is
    // handled at once.
    auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}
