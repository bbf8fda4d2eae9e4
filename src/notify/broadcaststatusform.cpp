#include "broadcaststatusform.h"

#include "base/services.h"
#include "notify/broadcastrecipients.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

BroadCastStatusForm::BroadCastStatusForm(Services& services, BroadcastRecipients& recipients,
                                         QWidget* parent)
    : QDialog(parent), m_services(services), m_recipients(recipients),
      m_userText(Controls::lineEdit(this, "UserText")),
      m_userList(Controls::named(new QListWidget(this), "UserList")),
      m_del(Controls::button(this, "Command1", QStringLiteral("Del"), 91)) {
    Controls::named(this, "BroadCastStatusForm", 14);
    setWindowTitle(QStringLiteral("Properties of Skype Account for sending status"));
    auto* label = Controls::label(
        this, "Label1", QStringLiteral("Please list up Skype Account to send My Skype Status !!"),
        105);
    auto* add = Controls::button(this, "Command2", QStringLiteral("Add"), 90);
    auto* close = Controls::button(this, "Command4", QStringLiteral("Close"), 6);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(m_userText, 1, 0);
    grid->addWidget(add, 1, 1);
    grid->addWidget(m_userList, 2, 0, 2, 1);
    grid->addWidget(m_del, 2, 1, Qt::AlignTop);
    grid->addWidget(close, 4, 1);
    connect(add, &QPushButton::clicked, this, &BroadCastStatusForm::Command2_Click);
    connect(m_del, &QPushButton::clicked, this, &BroadCastStatusForm::Command1_Click);
    connect(close, &QPushButton::clicked, this, &BroadCastStatusForm::Command4_Click);
    connect(m_userList, &QListWidget::itemSelectionChanged, this,
            &BroadCastStatusForm::selectionChanged);
    connect(&m_recipients, &BroadcastRecipients::usersChanged, this,
            &BroadCastStatusForm::showUsers);
    m_recipients.Load();
    showUsers();
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
}

void BroadCastStatusForm::showUsers() {
    m_userList->clear();
    m_userList->addItems(m_recipients.users());
    m_userList->setCurrentRow(-1);
    m_userList->clearSelection();
    m_del->setEnabled(false);
}

void BroadCastStatusForm::selectionChanged() {
    m_del->setEnabled(!m_userList->selectedItems().isEmpty());
}

void BroadCastStatusForm::Command2_Click() {
    if (!m_recipients.add(m_userText->text())) {
        m_userText->clear();
        m_userText->setFocus();
    }
}

void BroadCastStatusForm::Command1_Click() {
    const QList<QListWidgetItem*> selected = m_userList->selectedItems();
    if (!selected.isEmpty())
        m_recipients.removeAt(m_userList->row(selected.first()));
    else
        showUsers();
}

void BroadCastStatusForm::Command4_Click() {
    m_recipients.Save();
    hide();
}

void BroadCastStatusForm::changeEvent(QEvent* event) {
    // The language is applied again each time the window comes to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ApplyLanguage(this, m_services.language);
    QDialog::changeEvent(event);
}
