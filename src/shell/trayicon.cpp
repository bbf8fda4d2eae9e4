#include "trayicon.h"

#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

namespace {
constexpr const char* kBaseNames[TrayIcon::KindCount] = {"Quenlark", "Ringing", "Recording",
                                                         "AutoAnswer"};
}

TrayIcon::TrayIcon(QMenu* popup, QWidget* owner, QObject* parent)
    : QObject(parent), m_tray(this), m_popup(popup), m_owner(owner) {
    m_tray.setToolTip(QStringLiteral("Quenlark"));
    connect(&m_tray, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
}

QString TrayIcon::pictureFileName(int kind) {
    if (kind < 0 || kind >= KindCount)
        kind = Normal;
    return QString::fromLatin1(kBaseNames[kind]) + QStringLiteral(".png");
}

void TrayIcon::InitIcon(const QString& folder) {
    for (int kind = 0; kind < KindCount; ++kind) {
        const QString path = folder + u'/' + pictureFileName(kind);
        m_pictures[kind] = QFileInfo::exists(path) ? QIcon(path) : QIcon();
    }
}

QIcon TrayIcon::picture(int kind) const {
    return kind >= 0 && kind < KindCount ? m_pictures[kind] : QIcon();
}

void TrayIcon::AddIcon() {
    m_kind = Normal;
    m_tray.setIcon(m_pictures[Normal]);
    m_tray.show();
    m_added = true;
}

void TrayIcon::SetIcon(int kind) {
    if (kind < 0 || kind >= KindCount)
        kind = Normal;
    m_kind = kind;
    ChangeIcon(m_pictures[kind]);
}

void TrayIcon::ChangeIcon(const QIcon& icon) {
    m_tray.setIcon(icon);
}

void TrayIcon::DeleteIcon() {
    m_tray.hide();
    m_added = false;
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Context || !m_popup)
        return;
    SetPopupMenu(true);
    // Bringing the owner forward lets the popup close when the user clicks elsewhere.
    if (m_owner && m_owner->isVisible())
        m_owner->activateWindow();
    m_popup->popup(QCursor::pos());
}
