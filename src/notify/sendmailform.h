#pragma once

#include "notify/secretstore.h"

#include <QDialog>

#include <memory>

class MailSender;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

struct Services;

// "Properties of Mail Address for sending status": the mail settings and, at the same time,
// the parameters of the next mail. The call tracker and the answering machine fill subject,
// body and attachment and call SendMail; the conversation itself runs in MailSender.
class SendMailForm : public QDialog {
    Q_OBJECT
public:
    // Without secrets, the password is kept in the desktop's secret store.
    explicit SendMailForm(Services& services, QWidget* parent = nullptr,
                          std::unique_ptr<SecretStore> secrets = nullptr);
    ~SendMailForm() override;

    void SendMail();
    void setSubject(const QString& text);
    void setBody(const QString& text);
    void setAttachment(const QString& text);

    // The text of the main window's MailStatusLabel.
    QString mailStatus() const;
    MailSender& mailSender() { return *m_sender; }

signals:
    void mailStatusChanged(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void bindControls();
    void showFields();
    void Command2_Click();

    Services& m_services;
    MailSender* m_sender; // child of this window
    QLineEdit* m_smtpServerText = nullptr;
    QLineEdit* m_fromText = nullptr;
    QLineEdit* m_toText = nullptr;
    QLineEdit* m_subjectText = nullptr;
    QPlainTextEdit* m_bodyText = nullptr;
    QLineEdit* m_attachmentText = nullptr;
    QLineEdit* m_text6 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};
