#include "broadcastrecipients.h"

#include "base/genlibtext.h"
#include "platform/settingsstore.h"

namespace {
const QString kSection = QStringLiteral("BroadCastStatus");
} // namespace

BroadcastRecipients::BroadcastRecipients(SettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings) {}

QString BroadcastRecipients::keyFor(int position) {
    return QStringLiteral("User") + QString::number(position).rightJustified(3, u'0');
}

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
    for (int position = 1;; ++position) {
        const QString value = m_settings.read(kSection, keyFor(position));
        if (value.isEmpty())
            break;
        const QString handle = GEnLib::TrimmedBlanks(value).toString();
        if (isValidHandle(handle))
            m_users.append(handle);
    }
    emit usersChanged();
}

void BroadcastRecipients::Save() {
    for (int position = 1;; ++position) {
        const QString key = keyFor(position);
        if (m_settings.read(kSection, key).isEmpty())
            break;
        m_settings.remove(kSection, key);
    }
    for (int i = 0; i < m_users.size(); ++i)
        m_settings.write(kSection, keyFor(i + 1), m_users[i]);
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
