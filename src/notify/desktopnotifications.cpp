#include "desktopnotifications.h"

#include "base/languagepack.h"
#include "base/services.h"
#include "platform/desktopnotifier.h"
#include "platform/settingsstore.h"

namespace {
const SettingKey kSwitchKey{"Main", "DesktopNotifyFlag", "1"};

// Texts of the language pack.
enum Text {
    MessageSummary = 963, // Message from %1
    MessageBody = 964,    // %1 seconds
    OpenMessages = 965,
    CallSummary = 966, // Call from %1
    ChatSummary = 967, // Chat from %1
    MailSummary = 968, // The mail could not be sent
};
} // namespace

DesktopNotifications::DesktopNotifications(Services& services, DesktopNotifier& notifier,
                                           QObject* parent)
    : QObject(parent), m_services(services), m_notifier(notifier) {
    connect(&m_notifier, &DesktopNotifier::actionInvoked, this, [this](const QString& key) {
        if (key == QLatin1String(kOpenMessagesAction))
            emit openMessagesRequested();
    });
}

bool DesktopNotifications::isEnabled() const {
    return readSetting(m_services.settings, kSwitchKey) != QLatin1String("0");
}

void DesktopNotifications::setEnabled(bool on) {
    writeSetting(m_services.settings, kSwitchKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void DesktopNotifications::messageRecorded(const QString& caller, int seconds) {
    show(MessageSummary, caller, m_services.language.GetLanguageString(MessageBody).arg(seconds),
         QLatin1String(kOpenMessagesAction), OpenMessages);
}

void DesktopNotifications::callReported(const QString& caller) {
    show(CallSummary, caller, {});
}

void DesktopNotifications::chatReported(const QString& sender) {
    show(ChatSummary, sender, {});
}

void DesktopNotifications::mailFailed(const QString& reason) {
    show(MailSummary, {}, reason);
}

void DesktopNotifications::show(int summary, const QString& argument, const QString& body,
                                const QString& actionKey, int actionLabel) {
    if (!isEnabled())
        return;
    QString title = m_services.language.GetLanguageString(summary);
    if (!argument.isNull())
        title = title.arg(argument);
    m_notifier.notify(title, body, actionKey,
                      actionLabel ? m_services.language.GetLanguageString(actionLabel) : QString());
}
