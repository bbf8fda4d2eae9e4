#include "mciplayer.h"

#include "base/services.h"
#include "mcilib.h"
#include "platform/prompts.h"

namespace {
const QString kIdle = QStringLiteral("Idle");
const QString kPlay = QStringLiteral("Play");
const QString kRecord = QStringLiteral("Record");
} // namespace

MCIPlayer::MCIPlayer(Services& services, MCILib& mci, QObject* parent)
    : QObject(parent), m_services(services), m_mci(mci) {}

bool MCIPlayer::ExecMCICommand(const QString& command) {
    QString result;
    const int status = m_mci.mSendString(command, result);
    if (status != 0) {
        m_services.prompts.message(result + QStringLiteral(" (") + QString::number(status) +
                                       QLatin1Char(')'),
                                   QStringLiteral("Error"));
        return false;
    }
    m_response = result;
    emit changed();
    return true;
}

QString MCIPlayer::quotedFileName() const {
    return QLatin1Char('"') + m_fileName + QLatin1Char('"');
}

void MCIPlayer::setMode(const QString& mode) {
    m_mode = mode;
    emit changed();
}

// A play or record that failed after its open left x1 open; like every other owner of an
// alias, the player closes it quietly before opening it again, or every later open would fail.
// Only when idle: while playing or recording, x1 is the device in use.
void MCIPlayer::closeLeftoverDevice() {
    if (m_mode != kIdle)
        return;
    QString ignored;
    m_mci.mSendString(QStringLiteral("close x1"), ignored);
}

void MCIPlayer::PlayButton_Click() {
    closeLeftoverDevice();
    if (!ExecMCICommand(QStringLiteral("open ") + quotedFileName() + QStringLiteral(" alias x1")))
        return;
    // The device stays open when play fails; the next close of x1 ends it.
    if (!ExecMCICommand(QStringLiteral("play x1  notify")))
        return;
    setMode(kPlay);
}

void MCIPlayer::RecordButton_Click() {
    closeLeftoverDevice();
    if (!ExecMCICommand(QStringLiteral("open new type waveaudio alias x1")))
        return;
    if (!ExecMCICommand(QStringLiteral("record x1")))
        return;
    setMode(kRecord);
}

void MCIPlayer::StopButton_Click() {
    if (m_mode == kPlay) {
        if (!ExecMCICommand(QStringLiteral("close x1")))
            return;
    } else if (m_mode == kRecord) {
        if (!ExecMCICommand(QStringLiteral("stop x1")) ||
            !ExecMCICommand(QStringLiteral("save x1 ") + quotedFileName()) ||
            !ExecMCICommand(QStringLiteral("close x1")))
            return;
    }
    setMode(kIdle);
}

void MCIPlayer::Command1_Click() {
    if (m_mode != kIdle)
        StopButton_Click();
    emit exitRequested();
}

void MCIPlayer::PlayAudioFile(const QString& orderType) {
    if (!m_mci.statusText().isEmpty() || m_mode != kIdle)
        return;
    m_playOrderType = orderType;
    PlayButton_Click();
    if (m_mode == kPlay)
        m_mci.setStatusText(kPlay);
}

void MCIPlayer::StopAudioFile(qint32) {
    StopButton_Click();
    if (m_mode == kIdle)
        m_mci.setStatusText({});
}

void MCIPlayer::RecordAudioFile() {
    if (!m_mci.statusText().isEmpty() || m_mode != kIdle)
        return;
    RecordButton_Click();
    if (m_mode == kRecord)
        m_mci.setStatusText(kRecord);
}

void MCIPlayer::StopAudioFileAndRecord() {
    m_playOrderType.clear();
    StopAudioFile();
}
