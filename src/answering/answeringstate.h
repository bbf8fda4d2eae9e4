#pragma once

#include <QString>

// The answering machine's state; AutoAnsweringStatusLabel of the main window shows its text.
enum class AnsweringState {
    Idle,           // ""
    CheckRinging,   // an incoming call rings; RingingTimer runs
    RingingTimeout, // the answer command has been sent
    Answering,      // the greeting plays into the call
    PlayingBeep,    // the beep plays
    Recording,      // the caller is recorded
    Remote,         // calling a remote user back to play a message
    RemoteAnswer,   // a message plays into the remote user's call
    RemoteRequest,  // another answering machine was asked to play a message
    Playing,        // a message plays on the local speakers
};

QString answeringStateText(AnsweringState state);
