#include "announcebackform.h"

#include "base/services.h"
#include "notify/announceback.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AnnounceBackForm::AnnounceBackForm(Services& services, AnnounceBack& announceBack, QWidget* parent)
    : QDialog(parent), m_announceBack(announceBack),
      m_handleText(Controls::lineEdit(this, "CallbackHandleText")),
      m_onlyFriends(Controls::checkBox(this, "CallbackOnlyToFriendsCheck",
                                       QStringLiteral("Announce only to friends"), 80)) {
    Controls::named(this, "AnnounceBackForm", 19);
    setWindowTitle(QStringLiteral("Announce Back"));
    auto* label =
        Controls::label(this, "Label3", QStringLiteral("Skype Handle for Call/Message back :"), 20);
    label->setBuddy(m_handleText);
    auto* back = Controls::button(this, "Command1", QStringLiteral("Back"), 100);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_handleText, 0, 1);
    grid->addWidget(m_onlyFriends, 1, 0, 1, 2);
    grid->addWidget(back, 2, 1, Qt::AlignRight);
    connect(back, &QPushButton::clicked, this, &AnnounceBackForm::Command1_Click);
    connect(m_handleText, &QLineEdit::textChanged, &m_announceBack,
            &AnnounceBack::setCallbackHandle);
    connect(m_onlyFriends, &QCheckBox::toggled, &m_announceBack, &AnnounceBack::setOnlyToFriends);
    connect(&m_announceBack, &AnnounceBack::settingsChanged, this, &AnnounceBackForm::showSettings);
    ApplyLanguage(this, services.language);
    m_announceBack.Load();
    showSettings();
    CenterForm(this);
}

void AnnounceBackForm::showSettings() {
    if (m_handleText->text() != m_announceBack.callbackHandle())
        m_handleText->setText(m_announceBack.callbackHandle());
    m_onlyFriends->setChecked(m_announceBack.onlyToFriends());
}

void AnnounceBackForm::Command1_Click() {
    m_announceBack.Save();
    hide();
}
