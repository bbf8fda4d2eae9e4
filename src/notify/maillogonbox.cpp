#include "maillogonbox.h"

#include "base/languagepack.h"
#include "notify/mailpassword.h"
#include "notify/mailsender.h"
#include "shell/applylanguage.h"
#include "shell/controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

MailLogonBox::MailLogonBox(MailSender& sender, const LanguagePack& language, QWidget* parent)
    : QGroupBox(QStringLiteral("Server login"), parent), m_sender(sender), m_language(language) {
    Controls::named(this, "Frame2", 908);
    auto* grid = new QGridLayout(this);
    m_securityCombo = Controls::named(new QComboBox(this), "SecurityCombo");
    // In the order of SmtpSecurity; the port is the default when the server text has none.
    m_securityCombo->addItems({QStringLiteral("None (25)"), QStringLiteral("STARTTLS (587)"),
                               QStringLiteral("TLS (465)")});
    m_userText = Controls::lineEdit(this, "UserText");
    m_passwordText = Controls::lineEdit(this, "PasswordText");
    m_passwordText->setEchoMode(QLineEdit::Password);
    m_secretStatusLabel = Controls::label(this, "SecretStatusLabel");
    m_secretStatusLabel->setWordWrap(true);
    m_command3 = Controls::button(this, "Command3", QStringLiteral("Test"), 903);
    m_testResultLabel = Controls::label(this, "TestResultLabel");
    m_testResultLabel->setWordWrap(true);
    grid->addWidget(Controls::label(this, "Label6", QStringLiteral("Security"), 900), 0, 0);
    grid->addWidget(m_securityCombo, 0, 1);
    grid->addWidget(Controls::label(this, "Label7", QStringLiteral("User name"), 901), 1, 0);
    grid->addWidget(m_userText, 1, 1);
    grid->addWidget(Controls::label(this, "Label8", QStringLiteral("Password"), 902), 2, 0);
    grid->addWidget(m_passwordText, 2, 1);
    grid->addWidget(m_secretStatusLabel, 3, 0, 1, 2);
    grid->addWidget(m_command3, 4, 0);
    grid->addWidget(m_testResultLabel, 4, 1);
    showFields();
    showStoreState();
    bindControls();
}

void MailLogonBox::bindControls() {
    connect(m_securityCombo, &QComboBox::currentIndexChanged, &m_sender,
            [this](int index) { m_sender.setSecurity(static_cast<SmtpSecurity>(index)); });
    connect(m_userText, &QLineEdit::textChanged, &m_sender, &MailSender::setUser);
    connect(m_passwordText, &QLineEdit::textEdited, &m_sender.password(),
            &MailPassword::setPassword);
    connect(&m_sender, &MailSender::fieldsChanged, this, &MailLogonBox::showFields);
    connect(&m_sender.password(), &MailPassword::passwordChanged, this, &MailLogonBox::showFields);
    connect(&m_sender.password(), &MailPassword::storeAvailabilityChanged, this,
            &MailLogonBox::showStoreState);
    connect(m_command3, &QPushButton::clicked, this, [this] {
        m_testResultLabel->setText(m_language.GetLanguageString(909));
        m_sender.Test();
    });
    connect(&m_sender, &MailSender::testFinished, m_testResultLabel,
            [this](bool, const QString& outcome) { m_testResultLabel->setText(outcome); });
}

void MailLogonBox::showFields() {
    m_securityCombo->setCurrentIndex(static_cast<int>(m_sender.security()));
    if (m_userText->text() != m_sender.user())
        m_userText->setText(m_sender.user());
    if (m_passwordText->text() != m_sender.password().password())
        m_passwordText->setText(m_sender.password().password());
}

void MailLogonBox::showStoreState() {
    const MailPassword& password = m_sender.password();
    m_secretStatusLabel->setText(
        password.storeAvailable() ? m_language.GetLanguageString(904)
                                  : m_language.GetLanguageString(905).arg(password.storeError()));
}

void MailLogonBox::showEvent(QShowEvent* event) {
    showStoreState(); // in the language chosen meanwhile
    QGroupBox::showEvent(event);
}
