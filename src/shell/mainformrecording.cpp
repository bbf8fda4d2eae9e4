// The call recorder among the feature windows and on the main window: the recorder, the
// history and its window, the notices of their aliases, RecordButton, AutoAnswerCheck's enabled
// state, RecordingStatusLabel, and the two ways to the history.
#include "app/mainformcore.h"
#include "audio/mcilib.h"
#include "audio/mixerconfigform.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "host/skypeapihandler.h"
#include "mainform.h"
#include "mainformwindows.h"
#include "recording/callrecorder.h"
#include "recording/recordingform.h"
#include "recording/recordinghistory.h"
#include "recording/recordingstatus.h"
#include "shell/applylanguage.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

RecordingForm& FeatureWindows::recording() {
    if (m_recording)
        return *m_recording;
    HostLineRouter& router = m_core.api().router();
    m_recordingStatus = std::make_unique<RecordingStatus>();
    m_recordingHistory = std::make_unique<RecordingHistory>(m_services, *m_mci, *m_recordingStatus);
    m_recorder =
        std::make_unique<CallRecorder>(m_services, *m_mci, mixerConfig().config(), *m_mixerLib,
                                       *m_recordingStatus, *m_recordingHistory);
    m_recorder->setAnsweringMachineOn([this] { return m_core.autoAnswerSwitch(); });
    SkypeAPIHandler& api = m_core.api();
    m_recorder->setHostSender([&api](const QString& line) { api.SendCommandToSkype(line); });
    router.setTarget(HostLineRouter::Step::Recording, m_recorder.get());
    CallRecorder* recorder = m_recorder.get();
    router.setRecorderBusy([recorder] { return recorder->recording(); });
    m_recording = std::make_unique<RecordingForm>(m_services, *m_recordingHistory);
    emit recorderLoaded();
    return *m_recording;
}

bool FeatureWindows::routeRecordingNotice(const QString& alias) {
    if (m_recorder && alias.compare(QLatin1String("rr"), Qt::CaseInsensitive) == 0)
        m_recorder->MCINOTIFYHandler();
    else if (m_recordingHistory && alias.compare(QLatin1String("rp"), Qt::CaseInsensitive) == 0)
        m_recordingHistory->MCINOTIFYHandler();
    else
        return false;
    return true;
}

void FeatureWindows::shutDownRecorder() {
    if (!m_recorder)
        return;
    HostLineRouter& router = m_core.api().router();
    router.setTarget(HostLineRouter::Step::Recording, nullptr);
    router.setRecorderBusy({});
    // Every way out of the program ends here: a recording is saved and the mixer put back.
    m_recorder->shutDown();
}

namespace {
constexpr const char* kModule = "MainForm";
} // namespace

void MainForm::bindRecorder() {
    findChild<QPushButton*>(QStringLiteral("RecordButton"))->setEnabled(false);
    connect(findChild<QPushButton*>(QStringLiteral("Command5")), &QPushButton::clicked, this,
            &MainForm::RecordingMenu_Click);
    connect(findChild<QAction*>(QStringLiteral("RecordingMenu")), &QAction::triggered, this,
            &MainForm::RecordingMenu_Click);
    connect(m_windows.get(), &FeatureWindows::recorderLoaded, this, [this] {
        CallRecorder& recorder = *m_windows->recorder();
        connect(findChild<QPushButton*>(QStringLiteral("RecordButton")), &QPushButton::clicked,
                &recorder, &CallRecorder::RecordButton_Click);
        connect(&recorder, &CallRecorder::changed, this, &MainForm::showRecorder);
        connect(m_windows->recordingStatus(), &RecordingStatus::changed,
                findChild<QLabel*>(QStringLiteral("RecordingStatusLabel")), &QLabel::setText);
        showRecorder();
    });
}

void MainForm::showRecorder() {
    const CallRecorder& recorder = *m_windows->recorder();
    auto* record = findChild<QPushButton*>(QStringLiteral("RecordButton"));
    // The tag follows the state, so a language switch writes the caption of the state; the
    // state itself is never read back from the caption.
    const int text = recorder.recording() ? 11 : 10;
    setTag(record, QStringLiteral("STR-ID:%1").arg(text));
    const QString caption = m_services.language.GetLanguageString(text);
    record->setText(caption != QLatin1String("?")
                        ? caption
                        : (recorder.recording() ? QStringLiteral("Record Stop")
                                                : QStringLiteral("Record Start")));
    record->setEnabled(recorder.recordButtonEnabled());
    m_switchBoxes[MainFormCore::AutoAnswer]->setEnabled(recorder.autoAnswerCheckEnabled());
}

void MainForm::RecordingMenu_Click() {
    TraceScope trace(m_services.log, kModule, "RecordingMenu_Click");
    FeatureWindows::open(&m_windows->recording());
}
