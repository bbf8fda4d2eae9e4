#include "mcilib.h"

#include "mcicommand.h"
#include "platform/sound.h"

#include <QRegularExpression>

namespace {

// MCI_NOTIFY_* codes of MM_MCINOTIFY.
constexpr int kNotifySuccessful = 1;
constexpr int kNotifySuperseded = 2;
constexpr int kNotifyAborted = 4;
constexpr int kNotifyFailure = 8;

bool isWaveAudio(const QString& type) {
    return type.compare(QLatin1String("waveaudio"), Qt::CaseInsensitive) == 0;
}

} // namespace

MCILib::MCILib(std::unique_ptr<SoundBackend> backend, QObject* parent)
    : QObject(parent), m_backend(std::move(backend)) {}

MCILib::~MCILib() {
    // A recording still open at program end was not saved (a save failed, or nobody asked for
    // one): its capture stays on disk, where the answering machine's recovery finds it.
    for (auto& entry : m_devices)
        entry.second.stream->keepCapture();
    // Streams first: they may still hand work to the backend's thread.
    m_devices.clear();
}

int MCILib::mSendString(const QString& command, QString& result) {
    if (command.isEmpty()) {
        result = QStringLiteral("コマンド文字列が指定されていません");
        return -1;
    }
    QString reply;
    const MciCommand cmd = parseMciCommand(command);
    const int status = cmd.error ? cmd.error : execute(cmd, reply);
    if (status == MciError::None)
        result = reply;
    else if (errorText(status).startsWith(QLatin1String("Unknown")))
        result = QStringLiteral("Error (文字列が取れません)");
    else
        result = errorText(status);
    return status;
}

double MCILib::GetAudioFileLength(const QString& path) {
    const QString quoted = QLatin1Char('"') + path + QLatin1Char('"');
    QString reply;
    execute(parseMciCommand(QStringLiteral("open ") + quoted), reply);
    reply.clear();
    const MciCommand status =
        parseMciCommand(QStringLiteral("status ") + quoted + QStringLiteral(" length"));
    if (!status.error)
        execute(status, reply);
    QString ignored;
    execute(parseMciCommand(QStringLiteral("close ") + quoted), ignored);
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*(\\d+(\\.\\d+)?)"));
    const QRegularExpressionMatch match = leadingNumber.match(reply);
    return match.hasMatch() ? match.captured(1).toDouble() / 1000.0 : 0.0;
}

void MCILib::setStatusText(const QString& text) {
    if (text == m_statusText)
        return;
    m_statusText = text;
    emit statusTextChanged(text);
}

SoundStream* MCILib::device(const QString& name) const {
    const auto it = m_devices.find(name.toLower());
    return it == m_devices.end() ? nullptr : it->second.stream.get();
}

MCILib::Device* MCILib::find(const QString& name) {
    const auto it = m_devices.find(name.toLower());
    return it == m_devices.end() ? nullptr : &it->second;
}

int MCILib::execute(const MciCommand& cmd, QString& reply) {
    using Verb = MciCommand::Verb;
    if (cmd.verb == Verb::Open)
        return open(cmd);
    if (cmd.verb == Verb::Close &&
        cmd.device.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        while (!m_devices.empty())
            close(m_devices.begin()->first);
        return MciError::None;
    }
    Device* device = find(cmd.device);
    if (!device)
        return MciError::InvalidDeviceName;
    int status = MciError::None;
    switch (cmd.verb) {
    case Verb::Play:
    case Verb::Record:
        if (device->stream->isRecording() != (cmd.verb == Verb::Record))
            return MciError::UnsupportedFunction;
        return start(*device, cmd.notify);
    case Verb::Stop:
        status = stop(*device);
        break;
    case Verb::Save:
        status = save(*device, cmd);
        break;
    case Verb::Close: {
        const QString name = device->name;
        status = close(cmd.device.toLower());
        if (cmd.notify)
            QMetaObject::invokeMethod(
                this, [this, name] { emit mciNotify(name, kNotifySuccessful); },
                Qt::QueuedConnection);
        return status;
    }
    case Verb::Status:
        status = this->status(*device, cmd, reply);
        break;
    case Verb::Open:
        break;
    }
    if (status == MciError::None && cmd.notify)
        endNotice(*device, kNotifySuccessful);
    return status;
}

int MCILib::open(const MciCommand& cmd) {
    const bool isNew = cmd.device.compare(QLatin1String("new"), Qt::CaseInsensitive) == 0;
    if (isNew && cmd.alias.isEmpty())
        return MciError::NewRequiresAlias;
    if ((isNew || !cmd.type.isEmpty()) && !isWaveAudio(cmd.type))
        return MciError::InvalidDeviceName;
    const QString name = cmd.alias.isEmpty() ? cmd.device : cmd.alias;
    const QString key = name.toLower();
    if (m_devices.count(key))
        return MciError::DuplicateAlias;
    int status = MciError::None;
    std::unique_ptr<SoundStream> stream =
        isNew ? m_backend->openRecording(status) : m_backend->openPlayback(cmd.device, status);
    if (!stream)
        return status ? status : MciError::Hardware;
    connect(stream.get(), &SoundStream::ended, this,
            [this, key](bool failed) { onEnded(key, failed); });
    Device& device = m_devices[key];
    device.name = name;
    device.stream = std::move(stream);
    if (cmd.notify)
        endNotice(device, kNotifySuccessful);
    return MciError::None;
}

int MCILib::start(Device& device, bool notify) {
    // A new play or record replaces the one whose notice is still due.
    if (device.notifyPending)
        endNotice(device, kNotifySuperseded);
    const int status = device.stream->start();
    if (status == MciError::None && notify)
        device.notifyPending = true;
    return status;
}

int MCILib::stop(Device& device) {
    device.stream->stop();
    if (device.notifyPending)
        endNotice(device, kNotifyAborted);
    return MciError::None;
}

int MCILib::save(Device& device, const MciCommand& cmd) {
    if (!device.stream->isRecording())
        return MciError::UnsupportedFunction;
    if (!cmd.hasFile || cmd.file.isEmpty())
        return MciError::FilenameRequired;
    stop(device);
    return device.stream->save(cmd.file);
}

int MCILib::close(const QString& key) {
    const auto it = m_devices.find(key);
    if (it == m_devices.end())
        return MciError::InvalidDeviceName;
    if (it->second.notifyPending)
        endNotice(it->second, kNotifyAborted);
    m_devices.erase(it);
    return MciError::None;
}

int MCILib::status(const Device& device, const MciCommand& cmd, QString& reply) const {
    if (cmd.item == QLatin1String("length"))
        reply = QString::number(device.stream->lengthMs());
    else if (!device.stream->isRunning())
        reply = QStringLiteral("stopped");
    else
        reply =
            device.stream->isRecording() ? QStringLiteral("recording") : QStringLiteral("playing");
    return MciError::None;
}

void MCILib::endNotice(Device& device, int code) {
    device.notifyPending = false;
    const QString name = device.name;
    // Like MM_MCINOTIFY, a notice is posted: the handler runs after the command returned.
    QMetaObject::invokeMethod(
        this, [this, name, code] { emit mciNotify(name, code); }, Qt::QueuedConnection);
}

void MCILib::onEnded(const QString& key, bool failed) {
    Device* device = find(key);
    if (device && device->notifyPending)
        endNotice(*device, failed ? kNotifyFailure : kNotifySuccessful);
}
