#include "options.h"

#include <QCommandLineParser>

namespace {

bool parseUserBus(const QString& text, UserBus* user) {
    // "alice" or "alice@unix:path=/tmp/busA"
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    user->handle = at < 0 ? text : text.left(at);
    user->address = at < 0 ? QStringLiteral("session") : text.mid(at + 1);
    return !user->handle.isEmpty() && !user->handle.contains(QLatin1Char(' ')) &&
           !user->address.isEmpty();
}

} // namespace

bool parseOptions(const QStringList& arguments, Options* options, QString* error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the host for Quenlark: attaches clients over D-Bus, answers the "
                       "host commands and routes calls and chats between simulated users."));
    parser.addHelpOption();
    const QCommandLineOption user(
        QStringLiteral("user"),
        QStringLiteral("A user with a host on a bus: HANDLE or HANDLE@ADDRESS (repeatable; "
                       "default alice on the session bus)."),
        QStringLiteral("handle[@address]"));
    const QCommandLineOption world(QStringLiteral("world"),
                                   QStringLiteral("Read the users from FILE instead of the demo."),
                                   QStringLiteral("file"));
    const QCommandLineOption attach(QStringLiteral("attach"),
                                    QStringLiteral("immediate, pending[:MS] or refused."),
                                    QStringLiteral("mode"), QStringLiteral("immediate"));
    const QCommandLineOption answerDelay(
        QStringLiteral("answer-delay"),
        QStringLiteral("Milliseconds until a simulated user answers a call (-1: never)."),
        QStringLiteral("ms"));
    const QCommandLineOption noConsole(QStringLiteral("no-console"),
                                       QStringLiteral("Do not read commands on standard input."));
    const QCommandLineOption control(
        QStringLiteral("control-name"),
        QStringLiteral("Bus name of the control object (empty: unique name only)."),
        QStringLiteral("name"), options->controlService);
    const QCommandLineOption audioIn(QStringLiteral("audio-in"),
                                     QStringLiteral("Device named in AUDIO_IN replies."),
                                     QStringLiteral("name"), options->audioIn);
    const QCommandLineOption audioOut(QStringLiteral("audio-out"),
                                      QStringLiteral("Device named in AUDIO_OUT replies."),
                                      QStringLiteral("name"), options->audioOut);
    const QCommandLineOption voice(
        QStringLiteral("voice"),
        QStringLiteral("WAV file played with paplay while a simulated user is in a call."),
        QStringLiteral("file"));
    const QCommandLineOption voiceDevice(QStringLiteral("voice-device"),
                                         QStringLiteral("Sink for the voice (paplay --device)."),
                                         QStringLiteral("sink"));
    const QCommandLineOption firstId(
        QStringLiteral("first-id"),
        QStringLiteral("The id of the first call or chat message (1 to 4294967295)."),
        QStringLiteral("id"));
    const QCommandLineOption userVoice(
        QStringLiteral("user-voice"),
        QStringLiteral("HANDLE=FILE: the voice of one simulated user (repeatable)."),
        QStringLiteral("handle=file"));
    const QCommandLineOption voiceDelay(
        QStringLiteral("voice-delay"),
        QStringLiteral("Milliseconds from the answer of a call to the start of the voice."),
        QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption capture(
        QStringLiteral("capture-dir"),
        QStringLiteral("Record the user's default source during each call into "
                       "DIR/call-<id>.wav."),
        QStringLiteral("dir"));
    parser.addOptions({user, world, attach, answerDelay, noConsole, control, audioIn, audioOut,
                       voice, voiceDevice, userVoice, voiceDelay, capture, firstId});
    const QCommandLineOption micVoice(
        QStringLiteral("mic-voice"),
        QStringLiteral("WAV file played, over and over, into the microphone's sink while a "
                       "simulated user is in a call: the user's own voice."),
        QStringLiteral("file"));
    const QCommandLineOption micVoiceDevice(
        QStringLiteral("mic-voice-device"),
        QStringLiteral("Sink whose monitor feeds the microphone source (paplay --device)."),
        QStringLiteral("sink"));
    const QCommandLineOption load(
        QStringLiteral("load"),
        QStringLiteral("Every MS milliseconds the --load-from user calls the first user when "
                       "its last call is over, else writes a chat (soak runs)."),
        QStringLiteral("ms"));
    const QCommandLineOption loadFrom(QStringLiteral("load-from"),
                                      QStringLiteral("The simulated user of --load (bob)."),
                                      QStringLiteral("handle"), options->loadFrom);
    parser.addOptions({micVoice, micVoiceDevice, load, loadFrom});
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *error = parser.helpText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument: ") + parser.positionalArguments().first();
        return false;
    }
    for (const QString& text : parser.values(user)) {
        UserBus entry;
        if (!parseUserBus(text, &entry)) {
            *error = QStringLiteral("--user takes HANDLE or HANDLE@ADDRESS, not ") + text;
            return false;
        }
        options->users.append(entry);
    }
    if (options->users.isEmpty())
        options->users.append({QStringLiteral("alice"), QStringLiteral("session")});
    if (!AttachMode::parse(parser.value(attach), &options->attach)) {
        *error = QStringLiteral("--attach takes immediate, pending[:MS] or refused");
        return false;
    }
    if (parser.isSet(answerDelay)) {
        bool ok = false;
        options->answerDelayMs = parser.value(answerDelay).toInt(&ok);
        if (!ok || options->answerDelayMs < -1) {
            *error = QStringLiteral("--answer-delay takes milliseconds, or -1 for never");
            return false;
        }
    }
    if (parser.isSet(firstId)) {
        bool ok = false;
        options->firstId = parser.value(firstId).toUInt(&ok);
        if (!ok || options->firstId == 0) {
            *error = QStringLiteral("--first-id takes a number from 1 to 4294967295");
            return false;
        }
    }
    if (parser.isSet(load)) {
        bool ok = false;
        options->loadMs = parser.value(load).toInt(&ok);
        if (!ok || options->loadMs <= 0) {
            *error = QStringLiteral("--load takes milliseconds");
            return false;
        }
    }
    options->loadFrom = parser.value(loadFrom);
    options->worldFile = parser.value(world);
    options->console = !parser.isSet(noConsole);
    options->controlService = parser.value(control);
    options->audioIn = parser.value(audioIn);
    options->audioOut = parser.value(audioOut);
    options->voiceFile = parser.value(voice);
    options->voiceDevice = parser.value(voiceDevice);
    options->micVoiceFile = parser.value(micVoice);
    options->micVoiceDevice = parser.value(micVoiceDevice);
    options->captureFolder = parser.value(capture);
    bool delayOk = false;
    options->voiceDelayMs = parser.value(voiceDelay).toInt(&delayOk);
    if (!delayOk || options->voiceDelayMs < 0) {
        *error = QStringLiteral("--voice-delay takes milliseconds");
        return false;
    }
    for (const QString& text : parser.values(userVoice)) {
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals <= 0 || equals == text.size() - 1) {
            *error = QStringLiteral("--user-voice takes HANDLE=FILE, not ") + text;
            return false;
        }
        options->userVoices.append({text.left(equals), text.mid(equals + 1)});
    }
    return true;
}
