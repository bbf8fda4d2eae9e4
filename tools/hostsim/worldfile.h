#pragma once

#include "world.h"

// Reads a world from a small text file, one user a line:
//   handle | full name | country | status | friend, friend | answer delay in ms
// Fields after the handle may be left out; '#' starts a comment line.
bool loadWorldFile(const QString& path, qint64 now, World* world, QString* error);
// One user of such a file (also the console's adduser).
bool parseUserLine(const QString& line, qint64 now, SimUser* user, QString* error);
