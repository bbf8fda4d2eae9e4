#include "mainformcore.h"

#include "base/debugconsole.h"
#include "base/genlibtext.h"
#include "base/loglib.h"
#include "base/services.h"
#include "mainformkeys.h"

#include <iterator>
#include <limits>

namespace {
constexpr const char* kModule = "MainForm";
constexpr int kSupervisionMs = SkypeAPIHandler::kSupervisionMs;

static_assert(std::size(MainKeys::switches) == MainFormCore::SwitchCount);

// The first word of a line split at single blanks, and the second (empty when missing).
struct Words {
    QStringView first;
    QStringView second;
    bool hasSecond = false;
};

Words firstTwoWords(QStringView line) {
    Words words;
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0) {
        words.first = line;
        return words;
    }
    words.first = line.first(blank);
    QStringView rest = line.sliced(blank + 1);
    const qsizetype next = rest.indexOf(u' ');
    words.second = next < 0 ? rest : rest.first(next);
    words.hasSecond = true;
    return words;
}
} // namespace

MainFormCore::MainFormCore(Services& services, SkypeAPIHandler& api, QObject* parent)
    : QObject(parent), m_services(services), m_api(api) {
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer1, &QTimer::timeout, this, &MainFormCore::Timer1_Timer);
}

void MainFormCore::plugInto() {
    m_api.setOwner(this);
    m_api.router().setTarget(HostLineRouter::Step::Main, this);
}

void MainFormCore::LoadDebug() {
    TraceScope trace(m_services.log, kModule, "LoadDebug");
    m_logLevel = readIntSetting(m_services.settings, MainKeys::LogLevel);
    // Only the exact text "On" opens the console; "on" or "ON" do not.
    m_debugMode = readOnOff(m_services.settings, MainKeys::DebugMode);
    m_services.console.setEnabled(m_debugMode);
}

void MainFormCore::LoadMainSetting() {
    TraceScope trace(m_services.log, kModule, "LoadMainSetting");
    for (int which = 0; which < SwitchCount; ++which) {
        const bool on = readFlag(m_services.settings, MainKeys::switches[which]);
        m_switches[which] = on;
        // Always told, so the boxes and buttons show the stored state after a re-attach too.
        emit switchChanged(static_cast<Switch>(which), on);
    }
}

void MainFormCore::SaveMainSetting() {
    TraceScope trace(m_services.log, kModule, "SaveMainSetting");
    DeleteMainSetting();
    for (int which = 0; which < SwitchCount; ++which)
        writeFlag(m_services.settings, MainKeys::switches[which], m_switches[which]);
}

void MainFormCore::DeleteMainSetting() {
    TraceScope trace(m_services.log, kModule, "DeleteMainSetting");
    for (const SettingKey& key : MainKeys::switches)
        deleteIfPresent(m_services.settings, key);
}

void MainFormCore::setSwitch(Switch which, bool on) {
    if (which < 0 || which >= SwitchCount || m_switches[which] == on)
        return;
    m_switches[which] = on;
    emit switchChanged(which, on);
}

void MainFormCore::ConnectFunc() {
    TraceScope trace(m_services.log, kModule, "ConnectFunc");
    setSkypeStatus(QStringLiteral("Connected"));
    LoadMainSetting();
    emit applyLanguageRequested();
    emit loadWindowsRequested();
    // Re-checks the link once within the current period: a discovery already made in it is
    // not repeated.
    supervise();
    m_timer1.start(kSupervisionMs);
}

void MainFormCore::Timer1_Timer() {
    m_api.beginSupervisionPeriod();
    supervise();
}

void MainFormCore::supervise() {
    TraceScope trace(m_services.log, kModule, "Timer1_Timer");
    if (m_pongFlag) {
        m_pongFlag = false;
        m_api.SendCommandToSkype(QStringLiteral("PING"));
        setSkypeStatus(QStringLiteral("Connecting"));
        return;
    }
    // No "PONG" since the last "PING": the host has gone quiet, ask it to attach again.
    setSkypeStatus(QString());
    m_api.discoverWhenDue();
}

void MainFormCore::SetSkypeResponse(QString& line) {
    TraceScope trace(m_services.log, kModule, "SetSkypeResponse");
    GEnLib::TrimBlanks(line);
    if (line.isEmpty())
        return;
    const Words words = firstTwoWords(line);
    if (words.first == QLatin1String("CURRENTUSERHANDLE")) {
        if (words.second.isEmpty())
            return;
        m_currentUserHandle = words.second.toString();
        emit currentUserHandleChanged(m_currentUserHandle);
        emit captionChanged(caption());
    } else if (words.first == QLatin1String("USERSTATUS")) {
        if (words.second.isEmpty())
            return;
        m_userStatus = words.second.toString();
        emit userStatusChanged(m_userStatus);
    } else if (words.first == QLatin1String("PONG")) {
        m_pongFlag = true;
    }
}

void MainFormCore::IncResponseCounter() {
    // The count is a signed 32-bit number; it stays at its largest value rather than wrap.
    if (m_responseCount < std::numeric_limits<qint32>::max())
        ++m_responseCount;
    emit responseCountChanged(m_responseCount);
}

void MainFormCore::resetResponseCounter() {
    m_responseCount = 0;
    emit responseCountChanged(m_responseCount);
}

QString MainFormCore::caption() const {
    if (m_currentUserHandle.isEmpty())
        return QStringLiteral("Quenlark");
    return QStringLiteral("Quenlark(") + m_currentUserHandle + u')';
}

void MainFormCore::SetUnimodeForm(const QString& name) {
    TraceScope trace(m_services.log, kModule, "SetUnimodeForm");
    m_unimodeForm = name;
}

void MainFormCore::setSkypeStatus(const QString& text) {
    m_skypeStatus = text;
    emit skypeStatusChanged(text);
}
