#pragma once

class DebugConsole;
class MCILib;
class QString;

// Sends one command to the sound layer for the recorder or the history; a failure is written to
// the debug console with its code and text. Returns the MCI code (0 = success).
int sendRecordingMci(MCILib& mci, DebugConsole& console, const QString& command);
