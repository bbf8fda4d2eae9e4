#include "mixerpulse.h"

#include <QDeadlineTimer>

#include <cstring>

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

namespace {

// Marks the loopback as the program's own among the server's modules.
constexpr const char* kLoopbackTag = "media.name=Quenlark-microphone";

void onModuleLoaded(pa_context*, uint32_t index, void* userdata) {
    *static_cast<uint32_t*>(userdata) = index;
}

struct ModuleReply {
    bool found = false;
    bool done = false;
};

void onModuleInfo(pa_context*, const pa_module_info* info, int eol, void* userdata) {
    auto* reply = static_cast<ModuleReply*>(userdata);
    if (eol != 0) {
        reply->done = true;
        return;
    }
    // The index may have been given to another module after a restart of the server.
    reply->found = info && qstrcmp(info->name, "module-loopback") == 0 && info->argument &&
                   std::strstr(info->argument, kLoopbackTag) != nullptr;
}

// Module arguments quote a value; a name with a quote or a backslash cannot be passed safely.
QByteArray quotedArgument(const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    if (utf8.contains('"') || utf8.contains('\\'))
        return {};
    return '"' + utf8 + '"';
}

} // namespace

PulseMixer::~PulseMixer() {
    // The loopback outlives the connection that loaded it: remove it with the program.
    unloadLoopback(0);
}

bool PulseMixer::loadLoopback(int device, const QString& sourceName) {
    if (device != 0 || sourceName.isEmpty())
        return false;
    if (loopbackLoaded(device))
        return true;
    const QByteArray source = quotedArgument(sourceName);
    PulseSession session(m_timeout);
    if (source.isEmpty() || !session.connect())
        return false;
    // Low latency, so the user's voice and the remote party's stay together in the mix; the
    // loopback stays on its source when the default source is switched for the recording.
    const QByteArray arguments =
        "source=" + source +
        " latency_msec=20 source_dont_move=true sink_input_properties=" + kLoopbackTag;
    uint32_t index = PA_INVALID_INDEX;
    if (!session.finish(pa_context_load_module(session.context(), "module-loopback",
                                               arguments.constData(), onModuleLoaded, &index)) ||
        index == PA_INVALID_INDEX)
        return false;
    m_loopback = index;
    return true;
}

bool PulseMixer::unloadLoopback(int device) {
    if (device != 0)
        return false;
    if (m_loopback == kNoModule)
        return true;
    PulseSession session(m_timeout);
    bool succeeded = false;
    if (!session.connect() || !session.finish(pa_context_unload_module(
                                  session.context(), m_loopback, onSuccess, &succeeded)))
        return false;
    // Failure here means the module is gone already (unloaded by the user): nothing to undo.
    m_loopback = kNoModule;
    return true;
}

bool PulseMixer::loopbackLoaded(int device) {
    if (device != 0 || m_loopback == kNoModule)
        return false;
    PulseSession session(m_timeout);
    ModuleReply reply;
    if (!session.connect() || !session.finish(pa_context_get_module_info(
                                  session.context(), m_loopback, onModuleInfo, &reply)))
        return false;
    if (reply.done && !reply.found)
        m_loopback = kNoModule;
    return reply.found;
}
