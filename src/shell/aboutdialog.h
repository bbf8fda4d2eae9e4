#pragma once

#include <QDialog>

struct Services;

// "About": the program's name, version and a one-line description.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(Services& services, QWidget* parent = nullptr);

    static QString versionText();

private:
    void Form_Load();

    Services& m_services;
};
