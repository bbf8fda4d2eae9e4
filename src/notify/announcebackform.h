#pragma once

#include <QDialog>

struct Services;
class AnnounceBack;
class QCheckBox;
class QLineEdit;

// "Announce Back": the handle named in announcements and whether only friends are answered.
// What the controls show takes effect at once; "Back" stores it, closing otherwise does not.
class AnnounceBackForm : public QDialog {
    Q_OBJECT
public:
    AnnounceBackForm(Services& services, AnnounceBack& announceBack, QWidget* parent = nullptr);

    // "Back": stores the settings and hides the window.
    void Command1_Click();

private:
    void showSettings();

    AnnounceBack& m_announceBack;
    QLineEdit* m_handleText;
    QCheckBox* m_onlyFriends;
};
