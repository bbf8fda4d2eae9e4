// The call recorder on the main window: RecordButton, AutoAnswerCheck's enabled state,
// RecordingStatusLabel, and the two ways to the history.
#include "app/session.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "mainform.h"
#include "mainformwindows.h"
#include "recording/callrecorder.h"
#include "recording/recordingform.h"
#include "recording/recordingstatus.h"
#include "shell/applylanguage.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr const char* kModule = "MainForm";
} // namespace

void MainForm::bindRecorder() {
    findChild<QPushButton*>(QStringLiteral("RecordButton"))->setEnabled(false);
    connect(findChild<QPushButton*>(QStringLiteral("Command5")), &QPushButton::clicked, this,
            &MainForm::RecordingMenu_Click);
    connect(findChild<QAction*>(QStringLiteral("RecordingMenu")), &QAction::triggered, this,
            &MainForm::RecordingMenu_Click);
    CallRecorder& recorder = m_session.recorder();
    connect(findChild<QPushButton*>(QStringLiteral("RecordButton")), &QPushButton::clicked,
            &recorder, &CallRecorder::RecordButton_Click);
    connect(&recorder, &CallRecorder::changed, this, &MainForm::showRecorder);
    connect(&m_session.recordingStatus(), &RecordingStatus::changed,
            findChild<QLabel*>(QStringLiteral("RecordingStatusLabel")), &QLabel::setText);
    // RecordButton stays disabled until the first attach.
    connect(&m_core, &MainFormCore::loadWindowsRequested, this, &MainForm::showRecorder);
}

void MainForm::showRecorder() {
    const CallRecorder& recorder = m_session.recorder();
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
