// The recording half of the answering machine: recording the caller, saving and mailing the
// message, and recovering a capture a crash left behind.
#include "answeringports.h"
#include "audio/mcilib.h"
#include "autoanswermachine.h"
#include "base/genlib.h"
#include "base/languagepack.h"
#include "base/loglib.h"
#include "base/services.h"
#include "messagefiles.h"
#include "notify/base64lib.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/sound.h"
#include "platform/soundfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kRecording = QStringLiteral("aar1");
const QString kStampFormat = QStringLiteral("yyyyMMddHHmmss");
} // namespace

void AutoAnswerMachine::BeginMessageRecording() {
    if (m_recordingOpen && !saveKeptCapture()) {
        // The earlier caller's message still has no file: it is not given up for this one.
        backToIdle();
        return;
    }
    closeAlias(kRecording);
    m_recordingStart = m_services.clock.now();
    m_recordingTimer.setInterval(m_settings.recordingMax() * 1000);
    m_recordingTimer.start();
    m_recordingTag.clear();
    if (mci(QStringLiteral("open new alias aar1 type waveaudio")) != 0) {
        backToIdle();
        return;
    }
    // The notice comes only when the device ends by itself (the disk is full, the sound
    // server went away): the caller is then hung up and the part captured is saved.
    if (mci(QStringLiteral("record aar1 notify")) != 0) {
        closeAlias(kRecording);
        backToIdle();
        return;
    }
    ++m_owedNotices[kRecording];
    m_awaitedAlias = kRecording;
    m_recordingOpen = true;
    setState(AnsweringState::Recording);
    const QString handle = m_ports.partnerHandle(m_ringingTag);
    if (handle.isEmpty() && !m_partners.contains(m_ringingTag))
        m_ports.SendCommandToSkype(QStringLiteral("GET CALL %1 PARTNER_HANDLE").arg(m_ringingTag));
    writeJournal(handle.isEmpty() ? m_partners.value(m_ringingTag) : handle);
}

void AutoAnswerMachine::RecordingTimer_Timer() {
    m_recordingTimer.stop();
    if (m_state != AnsweringState::Recording)
        return;
    m_ports.SendCommandToSkype(QStringLiteral("SET CALL %1 STATUS FINISHED").arg(m_ringingTag));
    m_guardTimer.start();
}

void AutoAnswerMachine::recordingStopped() {
    const QString text = QStringLiteral(
        "AutoAnswer: the recording stopped early (the disk is full or the sound server is "
        "gone); the part recorded is kept");
    console(text);
    m_services.log.WriteLog(text, -1);
    RecordingTimer_Timer();
}

void AutoAnswerMachine::finishCall() {
    if (m_state == AnsweringState::Recording)
        finishRecording();
    else if (m_recordingOpen)
        saveKeptCapture();
    if (m_state == AnsweringState::Answering || m_state == AnsweringState::PlayingBeep) {
        closeAlias(QStringLiteral("aap1"));
        closeAlias(QStringLiteral("aap2"));
    }
    backToIdle();
}

void AutoAnswerMachine::finishRecording() {
    // The stop below owes a notice that must not count as the device ending by itself.
    if (m_awaitedAlias == kRecording)
        m_awaitedAlias.clear();
    m_recordingTimer.stop();
    m_guardTimer.stop();
    restoreMixer();
    if (m_recordingOpen) {
        mci(QStringLiteral("stop aar1"));
        QString handle = m_ports.partnerHandle(m_ringingTag);
        if (handle.isEmpty())
            handle = m_partners.value(m_ringingTag);
        m_recordingHandle = handle;
        const QString target =
            MessageFiles::freeMessagePath(messageFolder(), m_recordingStart, handle);
        if (saveCapture(target)) {
            m_recordingOpen = false;
            closeAlias(kRecording);
            QFile::remove(journalPath());
            if (m_settings.mailFlag)
                mailMessage(target);
            emit messageRecorded(handle, target);
            emit messagesChanged();
        } else {
            // The capture stays with the open device and the journal; the next start of the
            // program, or the next recording, saves it.
            console(QStringLiteral("AutoAnswer: the message could not be saved"));
        }
    }
    setState(AnsweringState::Idle);
    backToIdle();
}

bool AutoAnswerMachine::saveCapture(const QString& target) {
    const QString command = QStringLiteral("save aar1 \"%1\"").arg(target);
    if (mci(command) == 0)
        return true;
    // The folder may have been removed while the program ran.
    QDir().mkpath(QFileInfo(target).path());
    return mci(command) == 0;
}

void AutoAnswerMachine::mailMessage(const QString& path) {
    const QString fileName = GEnLib::GetFileName(path);
    const MessageFiles::Parsed parsed = MessageFiles::parse(fileName);
    QDir().mkpath(m_services.folders.userDataPath());
    const QString attachment = m_services.folders.userDataPath() + u'/' + fileName;
    if (!Base64Lib::EncodeFile(path, attachment)) {
        console(QStringLiteral("AutoAnswer: the message cannot be prepared for mail"));
        QFile::remove(attachment);
        return;
    }
    const LanguagePack& language = m_services.language;
    const QString body = language.GetLanguageString(107) + QStringLiteral("\r\n") +
                         language.GetLanguageString(39) + QStringLiteral(" : ") + parsed.caller +
                         QStringLiteral("\r\n") + language.GetLanguageString(94) +
                         QStringLiteral(" : ") + GEnLib::StampToDisplay(parsed.stamp) +
                         QStringLiteral("\r\n");
    m_mailCopies.append(attachment);
    m_ports.SendMail(QStringLiteral("==Quenlark== Auto Answering Machine [Recorded Message]"), body,
                     attachment);
}

void AutoAnswerMachine::mailFinished(const QString& attachment) {
    if (m_mailCopies.removeOne(attachment))
        QFile::remove(attachment);
}

bool AutoAnswerMachine::saveKeptCapture() {
    if (!saveCapture(
            MessageFiles::freeMessagePath(messageFolder(), m_recordingStart, m_recordingHandle)))
        return false;
    m_recordingOpen = false;
    closeAlias(kRecording);
    QFile::remove(journalPath());
    emit messagesChanged();
    return true;
}

QString AutoAnswerMachine::journalPath() const {
    return m_services.folders.userDataPath() + QStringLiteral("/AutoAnswer-capture.txt");
}

void AutoAnswerMachine::writeJournal(const QString& handle) {
    const SoundStream* device = m_mci.device(kRecording);
    const QString capture = device ? device->capturePath() : QString();
    if (capture.isEmpty())
        return;
    QDir().mkpath(m_services.folders.userDataPath());
    QFile journal(journalPath());
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    journal.write(
        QStringList{capture, m_recordingStart.toString(kStampFormat), handle}.join(u'\n').toUtf8());
}

void AutoAnswerMachine::recoverCapture() {
    QFile journal(journalPath());
    if (!journal.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(journal.readAll()).split(u'\n');
    journal.close();
    const QString capture = lines.value(0);
    const QDateTime start = QDateTime::fromString(lines.value(1), kStampFormat);
    if (QFileInfo(capture).isFile() && start.isValid()) {
        QDir().mkpath(messageFolder());
        const QString target =
            MessageFiles::freeMessagePath(messageFolder(), start, lines.value(2));
        if (SoundFile::moveInto(capture, target) != 0) {
            console(QStringLiteral("AutoAnswer: an unsaved message stays in %1").arg(capture));
            return;
        }
        console(QStringLiteral("AutoAnswer: recovered the unsaved message %1").arg(target));
        emit messagesChanged();
    }
    QFile::remove(journalPath());
}
