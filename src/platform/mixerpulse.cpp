#include "mixerpulse.h"

#include <QDeadlineTimer>

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>

namespace {

// One short-lived connection to the sound server on a main loop of its own. Nothing runs on
// another thread; every wait iterates the loop only until the deadline.
class PulseSession {
public:
    explicit PulseSession(std::chrono::milliseconds timeout)
        : m_deadline(timeout), m_loop(pa_mainloop_new()) {
        if (m_loop)
            m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Quenlark mixer");
    }
    ~PulseSession() {
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        if (m_loop)
            pa_mainloop_free(m_loop);
    }
    PulseSession(const PulseSession&) = delete;
    PulseSession& operator=(const PulseSession&) = delete;

    pa_context* context() const { return m_context; }

    // Never starts a server of its own: a missing server is a missing mixer.
    bool connect() {
        if (!m_context ||
            pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(m_context);
            if (state == PA_CONTEXT_READY)
                return true;
            if (!PA_CONTEXT_IS_GOOD(state) || !step())
                return false;
        }
    }

    // Runs the loop until the operation ends; an operation still running at the deadline is
    // cancelled, so its callback can no longer touch the caller's stack.
    bool finish(pa_operation* operation) {
        if (!operation)
            return false;
        while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) {
            if (!step()) {
                pa_operation_cancel(operation);
                break;
            }
        }
        const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
        pa_operation_unref(operation);
        return done;
    }

private:
    bool step() {
        const qint64 remainingMs = m_deadline.remainingTime();
        if (remainingMs <= 0)
            return false;
        if (pa_mainloop_prepare(m_loop, int(remainingMs * 1000)) < 0)
            return false;
        return pa_mainloop_poll(m_loop) >= 0 && pa_mainloop_dispatch(m_loop) >= 0;
    }

    QDeadlineTimer m_deadline;
    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
};

struct DeviceReply {
    MixerDevice device;
    bool serverKnown = false;
    bool listComplete = false;
};

QString text(const char* utf8) {
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

void onServerInfo(pa_context*, const pa_server_info* info, void* userdata) {
    auto* reply = static_cast<DeviceReply*>(userdata);
    if (!info)
        return;
    reply->serverKnown = true;
    const QString server = text(info->server_name);
    const QString host = text(info->host_name);
    reply->device.name = host.isEmpty() ? server : server + QStringLiteral(" on ") + host;
    reply->device.defaultSource = text(info->default_source_name);
}

void onSourceInfo(pa_context*, const pa_source_info* info, int eol, void* userdata) {
    auto* reply = static_cast<DeviceReply*>(userdata);
    if (eol != 0) {
        reply->listComplete = eol > 0;
        return;
    }
    MixerSource source;
    source.name = text(info->name);
    source.description = text(info->description);
    source.isMonitor = info->monitor_of_sink != PA_INVALID_INDEX;
    source.muted = info->mute != 0;
    reply->device.sources.append(source);
}

void onSuccess(pa_context*, int success, void* userdata) {
    *static_cast<bool*>(userdata) = success != 0;
}

} // namespace

QList<MixerDevice> PulseMixer::readDevices() {
    PulseSession session(m_timeout);
    if (!session.connect())
        return {};
    DeviceReply reply;
    pa_context* context = session.context();
    if (!session.finish(pa_context_get_server_info(context, onServerInfo, &reply)) ||
        !reply.serverKnown)
        return {};
    if (!session.finish(pa_context_get_source_info_list(context, onSourceInfo, &reply)) ||
        !reply.listComplete)
        return {};
    return {reply.device};
}

bool PulseMixer::setDefaultSource(int device, const QString& sourceName) {
    PulseSession session(m_timeout);
    if (device != 0 || sourceName.isEmpty() || !session.connect())
        return false;
    bool succeeded = false;
    const QByteArray name = sourceName.toUtf8();
    return session.finish(pa_context_set_default_source(session.context(), name.constData(),
                                                        onSuccess, &succeeded)) &&
           succeeded;
}

bool PulseMixer::setSourceMute(int device, const QString& sourceName, bool muted) {
    PulseSession session(m_timeout);
    if (device != 0 || sourceName.isEmpty() || !session.connect())
        return false;
    bool succeeded = false;
    const QByteArray name = sourceName.toUtf8();
    return session.finish(pa_context_set_source_mute_by_name(
               session.context(), name.constData(), muted ? 1 : 0, onSuccess, &succeeded)) &&
           succeeded;
}
