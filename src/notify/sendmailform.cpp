#include "sendmailform.h"

#include "base/services.h"
#include "notify/maillogonbox.h"
#include "notify/mailsender.h"
#include "notify/secretstore.h"
#include "notify/smtptransport.h"
#include "shell/applylanguage.h"
#include "shell/centerform.h"
#include "shell/controls.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Shows the text unless the control already holds it, so typing keeps its cursor.
void showText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

SendMailForm::SendMailForm(Services& services, MailSender& sender, QWidget* parent)
    : QDialog(parent), m_services(services), m_sender(&sender) {
    setObjectName(QStringLiteral("SendMailForm"));
    setWindowTitle(QStringLiteral("Properties of Mail Address for sending status"));
    setTag(this, QStringLiteral("STR-ID:15"));
    buildControls();
    m_sender->LoadSettings();
    showFields();
    bindControls();
    CenterForm(this);
    ApplyLanguage(this, m_services.language);
}

SendMailForm::~SendMailForm() = default;

void SendMailForm::buildControls() {
    auto* frame =
        Controls::named(new QGroupBox(QStringLiteral("Mail Setting"), this), "Frame1", 97);
    auto* grid = new QGridLayout(frame);
    m_smtpServerText = Controls::lineEdit(frame, "SMTPServerText");
    m_fromText = Controls::lineEdit(frame, "FromText");
    m_toText = Controls::lineEdit(frame, "ToText");
    m_subjectText = Controls::lineEdit(frame, "SubjectText");
    m_attachmentText = Controls::lineEdit(frame, "AttachmentText");
    grid->addWidget(Controls::label(frame, "Label1", QStringLiteral("SMTP Server"), 16), 0, 0);
    grid->addWidget(m_smtpServerText, 0, 1);
    grid->addWidget(Controls::label(frame, "Label2", QStringLiteral("SenderMailAddress"), 17), 1,
                    0);
    grid->addWidget(m_fromText, 1, 1);
    grid->addWidget(Controls::label(frame, "Label3", QStringLiteral("MailAddress"), 18), 2, 0);
    grid->addWidget(m_toText, 2, 1);
    grid->addWidget(Controls::label(frame, "Label4", QStringLiteral("Subject")), 3, 0);
    grid->addWidget(m_subjectText, 3, 1);
    grid->addWidget(Controls::label(frame, "Label5", QStringLiteral("Attachment")), 4, 0);
    grid->addWidget(m_attachmentText, 4, 1);
    m_bodyText = Controls::named(new QPlainTextEdit(frame), "BodyText");
    grid->addWidget(m_bodyText, 5, 0, 1, 2);
    m_text6 = Controls::lineEdit(frame, "Text6");
    m_text6->setReadOnly(true);
    grid->addWidget(m_text6, 6, 0, 1, 2);

    m_command1 = Controls::button(this, "Command1", QStringLiteral("Send"));
    m_command2 = Controls::button(this, "Command2", QStringLiteral("Close"), 6);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(new MailLogonBox(*m_sender, m_services.language, this));
    layout->addLayout(buttons);
}

void SendMailForm::bindControls() {
    MailSender* sender = m_sender;
    connect(m_smtpServerText, &QLineEdit::textChanged, sender, &MailSender::setSmtpServer);
    connect(m_fromText, &QLineEdit::textChanged, sender, &MailSender::setFrom);
    connect(m_toText, &QLineEdit::textChanged, sender, &MailSender::setTo);
    connect(m_subjectText, &QLineEdit::textChanged, sender, &MailSender::setSubject);
    connect(m_attachmentText, &QLineEdit::textChanged, sender, &MailSender::setAttachment);
    connect(m_bodyText, &QPlainTextEdit::textChanged, sender,
            [this] { m_sender->setBody(m_bodyText->toPlainText()); });
    connect(sender, &MailSender::fieldsChanged, this, &SendMailForm::showFields);
    connect(sender, &MailSender::text6Changed, m_text6, &QLineEdit::setText);
    connect(sender, &MailSender::mailStatusChanged, this, &SendMailForm::mailStatusChanged);
    connect(m_command1, &QPushButton::clicked, this, &SendMailForm::SendMail);
    connect(m_command2, &QPushButton::clicked, this, &SendMailForm::Command2_Click);
}

void SendMailForm::showFields() {
    showText(m_smtpServerText, m_sender->smtpServer());
    showText(m_fromText, m_sender->from());
    showText(m_toText, m_sender->to());
    showText(m_subjectText, m_sender->subject());
    showText(m_attachmentText, m_sender->attachment());
    if (m_bodyText->toPlainText() != m_sender->body())
        m_bodyText->setPlainText(m_sender->body());
    showText(m_text6, m_sender->text6());
}

void SendMailForm::SendMail() {
    m_sender->SendMail();
}
void SendMailForm::setSubject(const QString& text) {
    m_sender->setSubject(text);
}
void SendMailForm::setBody(const QString& text) {
    m_sender->setBody(text);
}
void SendMailForm::setAttachment(const QString& text) {
    m_sender->setAttachment(text);
}
QString SendMailForm::mailStatus() const {
    return m_sender->mailStatus();
}

void SendMailForm::Command2_Click() {
    m_sender->SaveSettings();
    hide();
}

void SendMailForm::changeEvent(QEvent* event) {
    // The language is applied again each time the window comes to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ApplyLanguage(this, m_services.language);
    QDialog::changeEvent(event);
}
