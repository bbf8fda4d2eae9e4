#pragma once

#include <QString>

// "Start Quenlark when I log in": a desktop entry in the user's autostart folder that the
// desktop runs at login (XDG autostart). The entry's presence is the whole state; there is no
// setting beside it, so a user who removes it through the desktop's own settings is obeyed.
class AutostartEntry {
public:
    // configHome: the folder that holds autostart/ ($XDG_CONFIG_HOME); program: the absolute
    // path of the program the entry starts.
    AutostartEntry(QString configHome, QString program);
    // $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config.
    static QString userConfigHome();

    QString filePath() const;
    // The entry exists and the desktop would run it (not Hidden, not switched off by GNOME).
    bool isEnabled() const;
    // Writes or removes the entry; false, with the reason in error(), when that failed.
    bool setEnabled(bool on);
    QString error() const { return m_error; }

    // The text of the entry that starts `program`.
    static QByteArray entryText(const QString& program);
    // `program` as one argument of an Exec line, quoted where the desktop entry rules ask.
    static QString execArgument(const QString& program);

private:
    QString m_configHome;
    QString m_program;
    QString m_error;
};
