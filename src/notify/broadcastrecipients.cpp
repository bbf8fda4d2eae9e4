#include "broadcastrecipients.h"

#include "base/genlibtext.h"

using BroadCastStatusKeys::User;

BroadcastRecipients::BroadcastRecipients(SettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings) {}

bool BroadcastRecipients::isValidHandle(QStringView handle) {
    if (handle.isEmpty())
        return false;
    for (const QChar c : handle) {
        if (c == u' ' || c == u',' || c.category() == QChar::Other_Control ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

void BroadcastRecipients::Load() {
    m_users.clear();
    for (int position = User.first;; ++position) {
        const QString value = readSetting(m_settings, User, position);
        if (value.isEmpty())
            break;
        const QString handle = GEnLib::TrimmedBlanks(value).toString();
        if (isValidHandle(handle))
            m_users.append(handle);
    }
    emit usersChanged();
}

void BroadcastRecipients::Save() {
    // The stored keys up to the first missing one go; the list is written anew.
    int position = User.first;
    while (deleteIfPresent(m_settings, User, position))
        ++position;
    for (int i = 0; i < m_users.size(); ++i)
        writeSetting(m_settings, User, User.first + i, m_users[i]);
}

bool BroadcastRecipients::add(const QString& text) {
    const QString handle = GEnLib::TrimmedBlanks(text).toString();
    if (!isValidHandle(handle))
        return false;
    m_users.append(handle);
    emit usersChanged();
    return true;
}

void BroadcastRecipients::removeAt(int index) {
    if (index < 0 || index >= m_users.size())
        return;
    m_users.removeAt(index);
    emit usersChanged();
}
