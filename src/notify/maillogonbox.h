#pragma once

#include <QGroupBox>

class LanguagePack;
class MailSender;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The mail window's "Server login" frame: connection security, user name, password (kept in
// the secret store, or for this run only when there is none) and the Test button.
class MailLogonBox : public QGroupBox {
    Q_OBJECT
public:
    MailLogonBox(MailSender& sender, const LanguagePack& language, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void bindControls();
    void showFields();
    void showStoreState();

    MailSender& m_sender;
    const LanguagePack& m_language;
    QComboBox* m_securityCombo = nullptr;
    QLineEdit* m_userText = nullptr;
    QLineEdit* m_passwordText = nullptr;
    QLabel* m_secretStatusLabel = nullptr;
    QPushButton* m_command3 = nullptr;
    QLabel* m_testResultLabel = nullptr;
};
