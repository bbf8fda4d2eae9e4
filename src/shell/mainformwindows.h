#pragma once

#include <QObject>

#include <memory>

struct Services;
class AboutDialog;
class AudioForm;
class AutoAnswerForm;
class AutoAnswerMachine;
class CallRecorder;
class RecordingForm;
class RecordingHistory;
class RecordingStatus;
struct AnsweringLinks;
class BlackJackForm;
class ConsoleForm;
class DartsForm;
class DartsGame;
class MainDartsLink;
class MainFormCore;
class MCIForm;
class MCILib;
class Mixer;
class MixerConfigForm;
class MixerLib;
class QWidget;
class SendMailForm;

// The other windows the main window opens, and the sound devices they share. Each window is
// loaded once (hidden) and stays loaded for the run; opening one shows it modally, owned by
// nobody, while the event loop runs on.
class FeatureWindows : public QObject {
    Q_OBJECT
public:
    FeatureWindows(Services& services, MainFormCore& core, QObject* parent = nullptr);
    ~FeatureWindows() override;

    // Loads, hidden and in their fixed order, the windows that exist so far.
    void loadAll();

    ConsoleForm& console();
    AboutDialog& about();
    BlackJackForm& blackJack();
    AudioForm& audio();
    SendMailForm& sendMail();
    MCIForm& player();
    MixerConfigForm& mixerConfig();
    AutoAnswerForm& autoAnswer();
    AutoAnswerMachine* answeringMachine() { return m_answering.get(); }
    // The recording history window, and the call recorder behind it with the history and
    // RecordingStatusLabel's state (mainformrecording.cpp).
    RecordingForm& recording();
    CallRecorder* recorder() { return m_recorder.get(); }
    RecordingStatus* recordingStatus() { return m_recordingStatus.get(); }
    DartsForm& darts();

    // The one sound device layer and mixer of the program.
    MCILib& mci() { return *m_mci; }
    MixerLib& mixer() { return *m_mixerLib; }

    // Shows a window modally: the main window stays blocked until it closes.
    static void open(QWidget* window);

signals:
    // The texts of the main window's MailStatusLabel and MCIStatusLabel.
    void mailStatusChanged(const QString& text);
    void mciStatusChanged(const QString& text);
    // The answering machine's state text (AutoAnsweringStatusLabel) and tray picture.
    void answeringStateChanged(const QString& text);
    void answeringIconChanged(int kind);
    // The call recorder exists from now on: the main window binds its controls to it.
    void recorderLoaded();

private:
    void routeMciNotice(const QString& alias);
    bool answeringSourceIsMonitor() const;
    void shutDownRecorder();
    // The notices of the recorder's "rr" and the history's "rp"; false for other aliases.
    bool routeRecordingNotice(const QString& alias);

    Services& m_services;
    MainFormCore& m_core;
    std::unique_ptr<MCILib> m_mci;
    std::unique_ptr<Mixer> m_mixer;
    std::unique_ptr<MixerLib> m_mixerLib;
    std::unique_ptr<ConsoleForm> m_console;
    std::unique_ptr<AboutDialog> m_about;
    std::unique_ptr<BlackJackForm> m_blackJack;
    std::unique_ptr<AudioForm> m_audio;
    std::unique_ptr<SendMailForm> m_sendMail;
    std::unique_ptr<MCIForm> m_player;
    std::unique_ptr<MixerConfigForm> m_mixerConfig;
    // After the sound layer and the windows it uses: it is gone before them.
    std::unique_ptr<AnsweringLinks> m_answeringLinks;
    std::unique_ptr<AutoAnswerMachine> m_answering;
    std::unique_ptr<AutoAnswerForm> m_autoAnswer;
    std::unique_ptr<RecordingStatus> m_recordingStatus;
    std::unique_ptr<RecordingHistory> m_recordingHistory;
    std::unique_ptr<CallRecorder> m_recorder;
    std::unique_ptr<RecordingForm> m_recording;
    // The darts game until the core session owns it.
    std::unique_ptr<MainDartsLink> m_dartsLink;
    std::unique_ptr<DartsGame> m_dartsGame;
    std::unique_ptr<DartsForm> m_darts;
};
