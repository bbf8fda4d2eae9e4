#pragma once

#include <QDialog>

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
    SendMailForm(Services& services, MailSender& sender, QWidget* parent = nullptr);
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
    MailSender* m_sender; // the session's
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
