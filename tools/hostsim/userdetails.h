#pragma once

#include <QString>
#include <QStringList>

class Simulator;
class World;
struct OpResult;
struct SimUser;

// Users added and changed while the simulator runs. A host knows its users whatever the
// letter case a client writes: lookupUser finds "BOB" as bob, and replies use the stored
// spelling.

SimUser* lookupUser(World& world, const QString& handle);

// Adds a user the simulator plays; fails when a user of that handle (in any case) exists.
OpResult addSimUser(Simulator& simulator, const SimUser& user);
// Sets FULLNAME, COUNTRY or LASTONLINETIMESTAMP (a number of seconds since 1970) and sends
// "USER <handle> <property> <value>" to every client that follows the user, as a host pushes
// a change of a contact's details.
OpResult setUserDetail(Simulator& simulator, const QString& handle, const QString& property,
                       const QString& value);

// The console's user commands: adduser, setuser, userdelay. Empty when the line is none of them.
QStringList runUserCommand(Simulator& simulator, const QStringList& words, const QString& line);
extern const char* const kUserConsoleHelp;
