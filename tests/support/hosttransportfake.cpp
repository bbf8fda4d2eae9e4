#include "hosttransportfake.h"

#include <QStringList>

bool FakeHostTransport::registerClient() {
    m_registered = m_connected;
    return m_registered;
}

quint32 FakeHostTransport::broadcastDiscover() {
    if (!m_connected)
        return 0;
    ++m_discovers;
    return 1;
}

void FakeHostTransport::sendCommand(const QString& host, const QByteArray& payload) {
    m_sent.append({host, payload});
    if ((m_goneHosts.contains(host) || !m_connected) && receiver())
        receiver()->onCommandFailed(host);
}

void FakeHostTransport::setHostGone(const QString& host, bool gone) {
    if (gone)
        m_goneHosts.insert(host);
    else
        m_goneHosts.remove(host);
}

QStringList FakeHostTransport::sentLines() const {
    QStringList lines;
    for (const Sent& sent : m_sent)
        lines << QString::fromUtf8(sent.payload.constData());
    return lines;
}

void FakeHostTransport::attach(const QString& host, quint32 status) {
    if (receiver())
        receiver()->onAttach(host, status);
}

bool FakeHostTransport::notify(const QString& sender, const QByteArray& payload) {
    return receiver() && receiver()->onNotify(sender, payload);
}

bool FakeHostTransport::notifyLine(const QString& sender, const QString& line) {
    return notify(sender, line.toUtf8() + '\0');
}
