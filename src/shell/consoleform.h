#pragma once

#include <QWidget>

struct Services;
class QLineEdit;
class QListWidget;

// "Console": the debug console's two lists and a command line for the host.
class ConsoleForm : public QWidget {
    Q_OBJECT
public:
    explicit ConsoleForm(Services& services, QWidget* parent = nullptr);

    QListWidget* consoleList() const { return m_consoleList; }
    QListWidget* statusList() const { return m_statusList; }

    // "Do It": the text of CommandText, unchanged.
    void Command2_Click();
    // "Exit": hides the window; the lists keep their contents.
    void Command1_Click() { hide(); }

signals:
    // The host link sends it with SendCommandToSkype.
    void commandEntered(const QString& line);

private:
    void Form_Load();
    void append(QListWidget* list, const QString& text);

    Services& m_services;
    QListWidget* m_consoleList;
    QListWidget* m_statusList;
    QLineEdit* m_commandText;
};
