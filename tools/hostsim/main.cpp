// quenlark-hostsim: a host for Quenlark to attach to, for tests, demos and development.
#include "callcapture.h"
#include "console.h"
#include "controlobject.h"
#include "deliverycontrol.h"
#include "hostendpoint.h"
#include "loadgenerator.h"
#include "microphonevoice.h"
#include "options.h"
#include "scriptobject.h"
#include "signalwatcher.h"
#include "simulator.h"
#include "voiceplayer.h"
#include "worldfile.h"

#include <QCoreApplication>

#include <memory>

#include <csignal>
#include <cstdio>

namespace {

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void complain(const QString& line) {
    std::fprintf(stderr, "quenlark-hostsim: %s\n", line.toUtf8().constData());
}

bool buildWorld(const Options& options, World* world, QString* error) {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    *world = World::demo(now);
    if (!options.worldFile.isEmpty() && !loadWorldFile(options.worldFile, now, world, error))
        return false;
    if (options.firstId != 0)
        world->setNextId(options.firstId);
    if (options.answerDelayMs != -2) {
        for (const QString& handle : world->handles())
            world->user(handle)->answerDelayMs = options.answerDelayMs;
    }
    return true;
}

QString shownAddress(const QString& address) {
    if (address == QLatin1String("session"))
        return qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    return address;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("quenlark-hostsim"));
    std::signal(SIGPIPE, SIG_IGN);

    Options options;
    QString error;
    if (!parseOptions(app.arguments(), &options, &error)) {
        const bool help = app.arguments().contains(QStringLiteral("--help")) ||
                          app.arguments().contains(QStringLiteral("-h"));
        (help ? say(error) : complain(error));
        return help ? 0 : 2;
    }
    World world;
    if (!buildWorld(options, &world, &error)) {
        complain(error);
        return 2;
    }
    Simulator simulator(std::move(world), {options.attach, options.audioIn, options.audioOut});
    for (const UserBus& user : options.users) {
        if (!simulator.addEndpoint(user.handle, user.address, &error)) {
            complain(error);
            return 1;
        }
    }
    ControlObject control(&simulator, options.users.first().address);
    QString warning;
    if (!control.open(options.controlService, &error, &warning)) {
        complain(error);
        return 1;
    }
    if (!warning.isEmpty())
        complain(warning);
    DeliveryControl delivery(&simulator);
    if (!delivery.open(control.connection(), &error)) {
        complain(error);
        return 1;
    }
    ScriptObject script(&simulator);
    if (!script.open(&error)) {
        complain(error);
        return 1;
    }

    VoicePlayer voice(options.voiceFile, options.voiceDevice);
    voice.setStartDelay(options.voiceDelayMs);
    for (const auto& [handle, file] : options.userVoices)
        voice.setUserFile(handle, file);
    if (voice.hasVoice())
        simulator.setVoicePlayer(&voice);
    MicrophoneVoice micVoice(options.micVoiceFile, options.micVoiceDevice);
    if (!options.micVoiceFile.isEmpty())
        simulator.setMicrophoneVoice(&micVoice);
    std::unique_ptr<CallCapture> capture;
    if (!options.captureFolder.isEmpty()) {
        capture = std::make_unique<CallCapture>(options.captureFolder);
        simulator.setCallCapture(capture.get());
    }
    std::unique_ptr<LoadGenerator> load;
    if (options.loadMs > 0) {
        if (!simulator.world().user(options.loadFrom)) {
            complain(QStringLiteral("--load-from: no user ") + options.loadFrom);
            return 1;
        }
        load = std::make_unique<LoadGenerator>(&simulator, options.loadFrom,
                                               options.users.first().handle, options.loadMs);
        simulator.setLoadGenerator(load.get());
    }
    Console console(&simulator);
    SignalWatcher terminationSignals;
    QObject::connect(&terminationSignals, &SignalWatcher::terminationRequested, &app,
                     &QCoreApplication::quit);
    QObject::connect(&simulator, &Simulator::quitRequested, &app, &QCoreApplication::quit);

    for (HostEndpoint* endpoint : simulator.endpoints())
        say(QStringLiteral("user %1 bus %2 host %3")
                .arg(endpoint->handle(), shownAddress(endpoint->address()),
                     endpoint->uniqueName()));
    say(QStringLiteral("control %1 %2").arg(options.controlService, control.uniqueName()));
    say(QStringLiteral("ready"));
    if (options.console)
        console.start();
    return app.exec();
}
