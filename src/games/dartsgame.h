#pragma once

#include "games/dartsboard.h"
#include "games/recordlib.h"
#include "notify/controlenvelope.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>
#include <deque>
#include <functional>

struct Services;
class DartsLink;

// A dart marker on the board, in board coordinates (whole twips).
struct DartsMarker {
    QPoint point;
    bool shown = false;
    bool black = false; // touches an earlier dart of the same turn
};

// What the darts window shows; the window draws it and nothing else.
struct DartsView {
    QString announce;             // AnnounceLabel
    QString localUserName;        // LocalUserNameLabel
    QString remoteUserName;       // RemoteUserNameLabel
    int localScore = 0;           // LocalScoreLabel
    int remoteScore = 0;          // RemoteScoreLabel
    bool command1Enabled = false; // throw
    bool command2Enabled = true;  // Invite
    bool command3Enabled = true;  // Close
    bool vLineShown = false;      // VLine, x in window twips
    bool hLineShown = false;      // HLine, y in window twips
    bool metersShown = false;     // PowerMeterBox and ControlMeterBox
    DartsBoard::Sweep vLine{DartsBoard::kLeft, DartsBoard::kLeft,
                            DartsBoard::kLeft + DartsBoard::kWidth, DartsBoard::kSweepStep};
    DartsBoard::Sweep hLine{DartsBoard::kTop, DartsBoard::kTop,
                            DartsBoard::kTop + DartsBoard::kHeight, DartsBoard::kSweepStep};
    DartsBoard::Sweep power{0, 0, DartsBoard::kMeterMax, DartsBoard::kSweepStep};
    DartsBoard::Sweep control{0, 0, DartsBoard::kMeterMax, DartsBoard::kControlStep};
    std::array<bool, 3> arrowShown{};       // ArrowImage: darts still in hand
    std::array<DartsMarker, 3> localDarts;  // LocalArrowShape
    std::array<DartsMarker, 3> remoteDarts; // RemoteArrowShape
    DartsMarker localFirst;                 // LocalFirstArrowShape
    DartsMarker remoteFirst;                // RemoteFirstArrowShape
};

// The darts window's logic (DartsForm): the session with the partner's copy, the four-click
// throw, the first-dart decision, turns of three darts and the game record. Handlers never
// run inside each other: what arrives while one of them waits on a message box is queued and
// handled, in order, when it returns.
class DartsGame : public QObject, public ControlMessageHandler {
    Q_OBJECT
public:
    enum class State {
        Idle,
        Inviting,
        WaitingAnswerToInvite,
        DecideFirst,
        InLocalGame,
        InRemoteGame,
        Bye
    };
    // The throw button's stage; its caption is language text 117 + the stage.
    enum class Stage { Ready, AimAcross, AimDown, Release };

    DartsGame(Services& services, DartsLink& link, QObject* parent = nullptr);
    ~DartsGame() override;

    // Tests replace the program's random generator to reach its ends.
    void setRandomSource(std::function<double()> source) { m_random = std::move(source); }

    // Control messages: the words after "Arrowfall", trimmed, and the sender's handle. They
    // are taken only while the window is shown.
    void SkypeMessageHandler(QString& received, QString& sender) override;
    bool takesControlMessages() const override { return m_shown; }
    void setShown(bool shown) { m_shown = shown; }

    void InitGameStatus();
    // The main window's Darts item: ends a running session with BYE, then resets.
    void resetFromMenu();
    // Window activation: LocalUserNameLabel follows the signed-in user.
    void Form_Activate();
    void Command1_Click();                           // throw
    void Command2_Click(const QString& partnerText); // Invite
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    State state() const { return m_state; }
    QString GameState() const;
    Stage stage() const { return m_stage; }
    QString stageCaption() const;
    qint32 SessionId() const { return m_sessionId; }
    const QString& PartnerHandle() const { return m_partner; }
    const QString& InviterHandle() const { return m_inviter; }
    const QString& GameStamp() const { return m_gameStamp; }
    qint32 TurnCount() const { return m_turnCount; }
    bool LocalBegan() const { return m_localBegan; }
    int LocalThrowCount() const { return m_localCount; }
    int RemoteThrowCount() const { return m_remoteCount; }
    const QString& timer2Tag() const { return m_timer2Tag; }
    QTimer& timer1() { return m_timer1; }
    QTimer& timer2() { return m_timer2; }
    QTimer& timer3() { return m_timer3; }
    const DartsView& view() const { return m_view; }
    QString historyPath() const;

signals:
    // The view changed; repaintNow asks for the board to be drawn before a box opens.
    void changed();
    void repaintNow();

private:
    // Runs one handler, or queues it while another one runs.
    void guarded(std::function<void()> work);
    QString text(int number) const;
    void trace(const QString& line) const;
    void sendControl(const QString& recipient, const QString& words);
    void box(int textNumber, int titleNumber);

    // Session (protocol).
    void handleMessage(const QString& received, const QString& sender);
    void onInvite(const QStringList& words, const QString& received, const QString& sender);
    void onInvitedAnswer(const QStringList& words);
    void onThrow(const QStringList& words);
    void onBye(const QStringList& words);
    void invite(const QString& partnerText);
    void sessionAgreed();
    void refused();
    void timeOut();
    void SendBye();
    // Sends THROW and returns the dart as both copies score it.
    QPoint SendThrow(QPointF landing);
    void resetNow();
    void holdHostLines(bool hold);

    // Game.
    void pressThrow();
    void release();
    void partnerFirstDart(QPoint point);
    void partnerDart(QPoint point);
    void DecideFirstThrower();
    void StartLocalTurn();
    void StartRemoteTurn();
    void AddPoint(QPoint point, bool local);
    void FinishTurnPair(bool localLast);
    void hideTurnMarkers();

    Services& m_services;
    DartsLink& m_link;
    std::function<double()> m_random;
    bool m_shown = false;
    bool m_busy = false;
    bool m_timer2Queued = false;
    std::deque<std::function<void()>> m_pending;

    State m_state = State::Idle;
    Stage m_stage = Stage::Ready;
    qint32 m_sessionId = -1;
    QString m_partner;
    QString m_inviter;
    QString m_gameStamp;
    qint32 m_turnCount = 0;
    qint32 m_inviteTicks = 0;
    qint32 m_answerTicks = 0;
    QString m_timer2Tag;
    bool m_weInvited = false;
    bool m_holdsHostLines = false;
    int m_localCount = 0;
    int m_remoteCount = 0;
    bool m_localBegan = false;
    std::deque<QPoint> m_heldDarts; // partner turn darts that came while deciding
    QTimer m_timer1;
    QTimer m_timer2;
    QTimer m_timer3;
    DartsView m_view;
};
