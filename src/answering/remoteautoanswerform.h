#pragma once

#include "remoteclient.h"

#include <QWidget>

struct Services;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Remote[AutoAnswer]": the owner's side of remote control. Type the handle of the user whose
// answering machine runs this program and its access key, fetch the list of its messages and
// ask for one, which that machine then plays into a call back. The logic is
// RemoteAutoAnswerClient; messages for the user never wait for an answer.
class RemoteAutoAnswerForm : public QWidget {
    Q_OBJECT
public:
    RemoteAutoAnswerForm(Services& services, RemoteControl& remote, QWidget* parent = nullptr);

    RemoteAutoAnswerClient& client() { return m_client; }
    void Command1_Click(); // Close
    void Command2_Click(); // Get List
    void Command3_Click(); // Play Request

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showLines();
    void RecordedFileList_Click();
    void showNotice(const QString& text, const QString& title);

    Services& m_services;
    RemoteAutoAnswerClient m_client;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_key = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_play = nullptr;
};
