#pragma once

#include <QString>
#include <QStringList>

// One MCI command string taken apart: "verb device [arguments] [flags]". Words are separated
// by any run of blanks; a double-quoted word may hold blanks (file paths).
struct MciCommand {
    enum class Verb { Open, Play, Record, Stop, Save, Close, Status };

    Verb verb = Verb::Open;
    QString device; // alias, "new", a file path, or "all" for close
    QString alias;  // open: "alias" argument
    QString type;   // open: "type" argument
    QString file;   // save: the target path
    QString item;   // status: "length" or "mode"
    bool hasFile = false;
    bool notify = false;
    int error = 0; // an MciError when the text is not a command this layer knows
};

MciCommand parseMciCommand(const QString& text);
// Splits at blanks, keeping quoted words whole (without their quotes). Sets ok to false for
// a quote that is never closed.
QStringList splitMciWords(const QString& text, bool& ok);
