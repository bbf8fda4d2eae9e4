#include "benchservices.h"

BenchServices::BenchServices()
    : folders(dir.path(), dir.path(), dir.path()), log(dir.path() + QStringLiteral("/log.txt")),
      language(dir.path()), services{settings, prompts, clock, folders, log, console, language} {}
