// quenlark-sip-host: a local baresip made a host on Quenlark's D-Bus link.
#include "baresiplink.h"
#include "bridge.h"
#include "hostbus.h"
#include "phoneprocess.h"
#include "quitsignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {
int fail(const QString& text) {
    std::fprintf(stderr, "quenlark-sip-host: %s\n", qPrintable(text));
    return 1;
}

// The first line of a baresip accounts file that is not a comment.
QString accountFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            return line;
    }
    return {};
}

bool isOneLine(const QString& text) {
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const auto option = [&parser](const char* name, const char* help, const char* value) {
        parser.addOption({QLatin1String(name), QLatin1String(help), QLatin1String(value)});
        return QLatin1String(name);
    };
    const auto account = option("account", "baresip account line, e.g. <sip:alice@host>", "line");
    const auto accounts = option("accounts", "baresip accounts file (its first account)", "file");
    const auto book = option("book", "address book: lines \"handle sip:uri\"", "file");
    const auto bus = option("bus", "D-Bus address (default: the session bus)", "address");
    const auto connectPort = option("connect", "use a running baresip's ctrl_tcp port", "port");
    const auto program = option("baresip", "baresip program", "path");
    const auto configDir = option("config-dir", "baresip configuration folder to write", "dir");
    const auto listen = option("sip-listen", "SIP address:port", "address");
    const auto netIf = option("net-interface", "network interface or address", "name");
    const auto player = option("audio-player", "baresip audio player module,device", "spec");
    const auto source = option("audio-source", "baresip audio source module,device", "spec");
    parser.process(app);

    const QString accountLine =
        parser.isSet(accounts) ? accountFromFile(parser.value(accounts)) : parser.value(account);
    if (accountLine.isEmpty())
        return fail(QStringLiteral("an account is needed (--account or --accounts)"));
    SipAddressBook addresses(accountLine.section(QLatin1Char('>'), 0, 0));
    QString error;
    if (parser.isSet(book) && !addresses.load(parser.value(book), &error))
        return fail(error);

    PhoneSettings settings;
    PhoneProcess phone;
    QTemporaryDir scratch;
    settings.ctrlPort =
        parser.isSet(connectPort) ? parser.value(connectPort).toUShort() : freeLoopbackPort();
    if (!parser.isSet(connectPort)) {
        settings.accountLine = accountLine;
        settings.configDir = parser.isSet(configDir) ? parser.value(configDir) : scratch.path();
        settings.sipListen = parser.value(listen);
        settings.netInterface = parser.value(netIf);
        if (parser.isSet(program))
            settings.program = parser.value(program);
        if (parser.isSet(player))
            settings.audioPlayer = parser.value(player);
        if (parser.isSet(source))
            settings.audioSource = parser.value(source);
        for (const QString& text : {accountLine, settings.sipListen, settings.netInterface,
                                    settings.audioPlayer, settings.audioSource}) {
            if (!isOneLine(text))
                return fail(QStringLiteral("options must be single lines"));
        }
        if (!phone.start(settings, &error))
            return fail(error);
    }
    if (settings.ctrlPort == 0)
        return fail(QStringLiteral("no ctrl_tcp port"));

    HostBus host(parser.value(bus));
    if (!host.open(&error))
        return fail(error);
    Bridge bridge(addresses, settings.audioSource, settings.audioPlayer);
    BaresipLink link(settings.ctrlPort);
    QObject::connect(&host, &HostBus::commandReceived, &bridge, &Bridge::handleCommand);
    // A host tells a newly attached client the user's status.
    QObject::connect(&host, &HostBus::attached, &bridge,
                     [&bridge] { bridge.handleCommand(QStringLiteral("GET USERSTATUS")); });
    QObject::connect(&bridge, &Bridge::notify, &host, &HostBus::notify);
    QObject::connect(&bridge, &Bridge::baresipCommand, &link, &BaresipLink::send);
    QObject::connect(&link, &BaresipLink::message, &bridge, &Bridge::handleEvent);
    QObject::connect(&link, &BaresipLink::failed, &app, [](const QString& reason) {
        std::fprintf(stderr, "quenlark-sip-host: baresip: %s\n", qPrintable(reason));
        QCoreApplication::exit(1);
    });
    QObject::connect(&link, &BaresipLink::connected, &app, [&host, &settings, &phone] {
        QTextStream out(stdout);
        out << "host " << host.uniqueName() << " ctrl " << settings.ctrlPort << " baresip "
            << phone.pid() << "\nready\n";
        out.flush();
    });
    QuitSignals quit;
    link.open(15000);
    const int status = app.exec();
    phone.stop();
    return status;
}
