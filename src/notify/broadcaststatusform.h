#pragma once

#include <QDialog>

struct Services;
class BroadcastRecipients;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Properties of Skype Account for sending status": edits the broadcast recipient list. Changes
// take effect at once; "Close" stores the list, closing the window otherwise stores nothing.
class BroadCastStatusForm : public QDialog {
    Q_OBJECT
public:
    BroadCastStatusForm(Services& services, BroadcastRecipients& recipients,
                        QWidget* parent = nullptr);

    // "Add": appends UserText trimmed; a text that is no handle empties the box instead.
    void Command2_Click();
    // "Del": removes the selected entry.
    void Command1_Click();
    // "Close": stores the list and hides the window.
    void Command4_Click();

protected:
    void changeEvent(QEvent* event) override;

private:
    void showUsers();
    void selectionChanged();

    Services& m_services;
    BroadcastRecipients& m_recipients;
    QLineEdit* m_userText;
    QListWidget* m_userList;
    QPushButton* m_del;
};
