#pragma once

#include <QStringList>

// The tool's commands on readings: list (the entries in 五十音順 or by number, searched as the
// window searches) and yomi (set or guess readings, under the roster's lock).
// Each takes the command's arguments, its name first, and returns the exit status.
int runList(const QStringList &arguments);
int runYomi(const QStringList &arguments);
