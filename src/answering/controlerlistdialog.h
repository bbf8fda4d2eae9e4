#pragma once

#include <QDialog>

struct Services;
class QLineEdit;
class QListWidget;
class QPushButton;

// "ControlerList": the handles allowed to control this answering machine from another copy.
// The list is read when the dialog opens and stored only by OK; closing it otherwise drops
// the changes.
class ControlerListDialog : public QDialog {
    Q_OBJECT
public:
    explicit ControlerListDialog(Services& services, QWidget* parent = nullptr);

    QStringList entries() const;
    void Command1_Click(); // Add
    void Command2_Click(); // Del
    void OKButton_Click();

private:
    void LoadControlerList();
    void SaveControlerList();
    void ControlerList_Click();

    Services& m_services;
    QListWidget* m_list = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_delete = nullptr;
};
