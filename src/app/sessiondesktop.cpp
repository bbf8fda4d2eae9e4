// The session's events as desktop notifications: a message the answering machine saved, a
// call or a chat the trackers reported, a mail that failed.
#include "answering/autoanswermachine.h"
#include "notify/calltracker.h"
#include "notify/desktopnotifications.h"
#include "notify/mailsender.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "platform/desktopnotifier.h"
#include "platform/soundfile.h"
#include "session.h"

void Session::wireDesktop(const QDBusConnection& bus) {
    m_desktopNotifier = std::make_unique<DesktopNotifier>(bus);
    m_desktop = std::make_unique<DesktopNotifications>(m_services, *m_desktopNotifier);
    DesktopNotifications* desktop = m_desktop.get();
    connect(m_answering.get(), &AutoAnswerMachine::messageRecorded, desktop,
            [desktop](const QString& caller, const QString& path) {
                const qint64 ms = SoundFile::lengthMs(path);
                desktop->messageRecorded(caller, ms < 0 ? 0 : int((ms + 500) / 1000));
            });
    connect(&m_notifications->calls(), &CallTracker::callReported, desktop,
            &DesktopNotifications::callReported);
    connect(&m_notifications->messages(), &MessageTracker::chatReported, desktop,
            &DesktopNotifications::chatReported);
    connect(m_mail.get(), &MailSender::mailFailed, desktop, &DesktopNotifications::mailFailed);
}
