#include "answeringstate.h"

QString answeringStateText(AnsweringState state) {
    switch (state) {
    case AnsweringState::Idle:
        return {};
    case AnsweringState::CheckRinging:
        return QStringLiteral("Check ringing");
    case AnsweringState::RingingTimeout:
        return QStringLiteral("Ringing Timeout");
    case AnsweringState::Answering:
        return QStringLiteral("Answering");
    case AnsweringState::PlayingBeep:
        return QStringLiteral("PlayingBeepForRecording");
    case AnsweringState::Recording:
        return QStringLiteral("Recording");
    case AnsweringState::Remote:
        return QStringLiteral("Remote");
    case AnsweringState::RemoteAnswer:
        return QStringLiteral("RemoteAnswer");
    case AnsweringState::RemoteRequest:
        return QStringLiteral("RemoteRequest");
    case AnsweringState::Playing:
        return QStringLiteral("Playing");
    }
    return {};
}
