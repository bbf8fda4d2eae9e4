// The answering machine's remote control in the session: the core takes the control
// envelope's "AutoAnswer" slot while the main window's answering switch is on.
#include "answering/autoanswermachine.h"
#include "answering/remotecontrol.h"
#include "notify/messagetracker.h"
#include "notify/notifications.h"
#include "session.h"

void Session::wireRemoteControl() {
    m_remote = std::make_unique<RemoteControl>(m_services, *m_answering, *m_mci,
                                               [this](const QString& line) { send(line); });
    m_remote->setEnabledCheck([this] { return m_main.autoAnswerSwitch(); });
    m_notifications->messages().envelope().setHandler(ControlEnvelope::Feature::AutoAnswer,
                                                      m_remote.get());
}

void Session::unplugRemoteControl() {
    m_notifications->messages().envelope().setHandler(ControlEnvelope::Feature::AutoAnswer,
                                                      nullptr);
}
