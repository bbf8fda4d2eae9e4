#include "skypeapihandler.h"

#include "base/debugconsole.h"
#include "base/loglib.h"
#include "base/services.h"

#include <QStringDecoder>

namespace {
constexpr const char* kModule = "SkypeAPIHandler";
constexpr quint32 kAttachSuccess = 0;
} // namespace

SkypeAPIHandler::SkypeAPIHandler(Services& services, HostTransport& transport,
                                 const RoutingState& state, QObject* parent)
    : QObject(parent), m_services(services), m_transport(transport), m_router(state) {
    m_transport.setReceiver(this);
}

SkypeAPIHandler::~SkypeAPIHandler() {
    if (m_transport.receiver() == this)
        m_transport.setReceiver(nullptr);
}

bool SkypeAPIHandler::Register() {
    TraceScope trace(m_services.log, kModule, "Register");
    return m_transport.registerClient();
}

void SkypeAPIHandler::Unregister() {
    TraceScope trace(m_services.log, kModule, "Unregister");
    m_transport.unregisterClient();
}

quint32 SkypeAPIHandler::ConnectToSkype() {
    TraceScope trace(m_services.log, kModule, "ConnectToSkype");
    const quint32 result = m_transport.broadcastDiscover();
    if (result != 0) {
        m_newPeriod = false;
        m_lastDiscovery.start();
    }
    m_services.console.ConsolePrint(QStringLiteral("ConnectToSkype status is ") +
                                    QString::number(result, 16).toUpper() + u'[' +
                                    m_transport.ownHandle() + u']');
    return result;
}

void SkypeAPIHandler::discoverWhenDue() {
    // Every attach re-checks the link at once; a host that attaches but never answers PING
    // would otherwise turn that check into a discovery loop at bus speed.
    if (!m_newPeriod && m_lastDiscovery.isValid() && !m_lastDiscovery.hasExpired(kSupervisionMs))
        return;
    ConnectToSkype();
}

QByteArray SkypeAPIHandler::encodeLine(const QString& line) {
    QByteArray payload = line.toUtf8();
    payload.append('\0');
    return payload;
}

std::optional<QString> SkypeAPIHandler::decodePayload(const QByteArray& payload) {
    const qsizetype zero = payload.indexOf('\0');
    const QByteArrayView bytes = QByteArrayView(payload).first(zero < 0 ? payload.size() : zero);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString line = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return line;
}

void SkypeAPIHandler::SendCommandToSkype(const QString& line) {
    TraceScope trace(m_services.log, kModule, "SendCommandToSkype");
    m_services.console.ConsolePrint(QStringLiteral("->Skype: [") + line + u']');
    if (m_hostHandle.isEmpty()) {
        // Nobody has attached yet: there is no one to send to.
        onCommandFailed(m_hostHandle);
        return;
    }
    m_transport.sendCommand(m_hostHandle, encodeLine(line));
}

void SkypeAPIHandler::onCommandFailed(const QString& host) {
    m_services.console.ConsolePrint(QStringLiteral("Error: Send Command!! [") + host + u']');
}

bool SkypeAPIHandler::onNotify(const QString& sender, const QByteArray& payload) {
    if (m_hostHandle.isEmpty() || sender != m_hostHandle)
        return false;
    TraceScope trace(m_services.log, kModule, "WndProc");
    // Byte counts include the host's terminating zero byte, as the record carried it.
    const QString count = QString::number(payload.size());
    std::optional<QString> line = decodePayload(payload);
    m_services.console.ConsolePrint(QStringLiteral("<-Skype[") + count + QStringLiteral("]: [") +
                                    line.value_or(QString()) + u']');
    if (m_owner)
        m_owner->IncResponseCounter();
    // A record that is not UTF-8 reads as an empty line, which no window takes: skip it.
    if (line)
        SkypeResponseHandler(*line);
    return true;
}

void SkypeAPIHandler::SkypeResponseHandler(QString& line) {
    TraceScope trace(m_services.log, kModule, "SkypeResponseHandler", line);
    m_router.route(line);
}

void SkypeAPIHandler::onAttach(const QString& host, quint32 status) {
    TraceScope trace(m_services.log, kModule, "Attach");
    // Pending, refused, not available and available-again change nothing: the supervision
    // timer's next discovery is the only retry.
    if (status == kAttachSuccess)
        attachSequence(host);
}

void SkypeAPIHandler::attachSequence(const QString& host) {
    m_services.console.StatusPrint(QStringLiteral("Connected"));
    m_hostHandle = host;
    if (m_owner)
        m_owner->ConnectFunc();
    SendCommandToSkype(QStringLiteral("GET CURRENTUSERHANDLE"));
    if (m_owner)
        m_owner->setPongFlag(false);
    SendCommandToSkype(QStringLiteral("PING"));
}

void SkypeAPIHandler::setMciNotifyHandler(const QString& name, MciNotifyHandler* handler) {
    if (handler)
        m_mciHandlers.insert(name, handler);
    else
        m_mciHandlers.remove(name);
}

void SkypeAPIHandler::onMciNotify() {
    TraceScope trace(m_services.log, kModule, "MCINotify");
    if (m_mciNotifyTarget != QLatin1String("AutoAnswerForm") &&
        m_mciNotifyTarget != QLatin1String("RecordingForm"))
        return;
    if (MciNotifyHandler* handler = m_mciHandlers.value(m_mciNotifyTarget))
        handler->MCINOTIFYHandler();
}
