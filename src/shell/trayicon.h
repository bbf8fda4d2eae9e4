#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <array>

class QMenu;
class QWidget;

// The program's icon in the notification area. Its picture tells whether the answering
// machine is busy; a right-button press opens the popup menu (Show, About, Exit). A left
// click or a double click does nothing. Without a notification area the program runs on.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    enum Kind { Normal = 0, Ringing = 1, Recording = 2, Answering = 3, KindCount };

    TrayIcon(QMenu* popup, QWidget* owner, QObject* parent = nullptr);

    // Loads the four pictures from the shipped-files folder; a missing file leaves that
    // kind without a picture.
    void InitIcon(const QString& folder);
    // Shows the icon with the normal picture.
    void AddIcon();
    // Kinds outside 0..3 count as 0.
    void SetIcon(int kind);
    void ChangeIcon(const QIcon& icon);
    void DeleteIcon();
    // Called before the popup opens; it changes nothing.
    void SetPopupMenu(bool opening) { Q_UNUSED(opening); }

    int currentKind() const { return m_kind; }
    QIcon picture(int kind) const;
    QSystemTrayIcon& systemTrayIcon() { return m_tray; }
    bool isAdded() const { return m_added; }

    // File names of the pictures, by kind.
    static QString pictureFileName(int kind);

public slots:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

private:
    QSystemTrayIcon m_tray;
    QMenu* m_popup;
    QWidget* m_owner;
    std::array<QIcon, KindCount> m_pictures;
    int m_kind = Normal;
    bool m_added = false;
};
