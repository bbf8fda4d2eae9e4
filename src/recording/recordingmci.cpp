#include "recordingmci.h"

#include "audio/mcilib.h"
#include "base/debugconsole.h"

int sendRecordingMci(MCILib& mci, DebugConsole& console, const QString& command) {
    QString result;
    const int code = mci.mSendString(command, result);
    if (code != 0)
        console.ConsolePrint(QStringLiteral("Recording: ") + command + QStringLiteral(" -> ") +
                             QString::number(code) + u' ' + result);
    return code;
}
