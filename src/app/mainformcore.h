#pragma once

#include "host/hostlinetarget.h"
#include "host/skypeapihandler.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

struct Services;

// The main window's state and rules without any widget: the four feature switches and their
// settings, the debug settings, the link supervision (pong flag, Timer1, status label), the
// received-line counter, the signed-in user and the unimode form. MainForm shows it. The
// host link belongs to the session; this class supervises it and owns its main target.
class MainFormCore : public QObject,
                     public HostLinkOwner,
                     public HostLineTarget,
                     public RoutingState {
    Q_OBJECT
public:
    enum Switch { SendIM, SendMail, CallbackAnounce, AutoAnswer, SwitchCount };

    // Only keeps the link: Session (or a test) plugs this object into it with plugInto once
    // both exist.
    MainFormCore(Services& services, SkypeAPIHandler& api, QObject* parent = nullptr);
    // Becomes the link's owner and the router's Main target.
    void plugInto();

    SkypeAPIHandler& api() { return m_api; }
    Services& services() { return m_services; }

    // Settings of section "Main".
    void LoadDebug();
    void LoadMainSetting();
    void SaveMainSetting();
    void DeleteMainSetting();
    bool debugMode() const { return m_debugMode; }
    int logLevel() const { return m_logLevel; }

    bool switchOn(Switch which) const { return m_switches[which]; }
    // A ticked switch takes effect at once; it is stored only by SaveMainSetting.
    void setSwitch(Switch which, bool on);

    // Link supervision.
    void ConnectFunc() override;
    void Timer1_Timer();
    QTimer& timer1() { return m_timer1; }
    void setPongFlag(bool set) override { m_pongFlag = set; }
    bool pongFlag() const { return m_pongFlag; }
    const QString& skypeStatus() const { return m_skypeStatus; }

    // Host lines for the main window: the signed-in user, the user's status, "PONG".
    void SetSkypeResponse(QString& line) override;
    void IncResponseCounter() override;
    void resetResponseCounter();
    qint32 responseCount() const { return m_responseCount; }
    const QString& currentUserHandle() const { return m_currentUserHandle; }
    const QString& userStatus() const { return m_userStatus; }
    QString caption() const;

    // The window that has exclusive use of the host lines ("DartsForm"), else empty.
    void SetUnimodeForm(const QString& name);
    QString GetUnimodeForm() const override { return m_unimodeForm; }
    bool autoAnswerSwitch() const override { return m_switches[AutoAnswer]; }

signals:
    void switchChanged(MainFormCore::Switch which, bool on);
    void skypeStatusChanged(const QString& text);
    void userStatusChanged(const QString& text);
    void currentUserHandleChanged(const QString& handle);
    void captionChanged(const QString& caption);
    void responseCountChanged(qint32 count);
    // The attach follow-up asks the window side to apply the chosen language pack and to
    // load the feature windows, in that order.
    void applyLanguageRequested();
    void loadWindowsRequested();

private:
    void setSkypeStatus(const QString& text);
    void supervise();

    Services& m_services;
    SkypeAPIHandler& m_api;
    QTimer m_timer1;
    std::array<bool, SwitchCount> m_switches{};
    bool m_debugMode = false;
    int m_logLevel = 0;
    bool m_pongFlag = false;
    qint32 m_responseCount = 0;
    QString m_skypeStatus;
    QString m_currentUserHandle;
    QString m_userStatus;
    QString m_unimodeForm;
};
