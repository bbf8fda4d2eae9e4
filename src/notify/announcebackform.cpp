#include "announcebackform.h"

#include "base/services.h"
#include "notify/announceback.h"
#include "notify/notifycontrols.h"
#include "shell/centerform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using NotifyControls::named;

AnnounceBackForm::AnnounceBackForm(Services& services, AnnounceBack& announceBack, QWidget* parent)
    : QDialog(parent), m_announceBack(announceBack),
      m_handleText(named(new QLineEdit(this), "CallbackHandleText")),
      m_onlyFriends(named(new QCheckBox(QStringLiteral("Announce only to friends"), this),
                          "CallbackOnlyToFriendsCheck", 80)) {
    setObjectName(QStringLiteral("AnnounceBackForm"));
    setWindowTitle(QStringLiteral("Announce Back"));
    setTag(this, QStringLiteral("STR-ID:19"));
    auto* label = named(new QLabel(QStringLiteral("Skype Handle for Call/Message back :"), this),
                        "Label3", 20);
    label->setBuddy(m_handleText);
    auto* back = named(new QPushButton(QStringLiteral("Back"), this), "Command1", 100);
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
