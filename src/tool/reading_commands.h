#pragma once

#include <QString>
#include <QStringList>

// The tool's commands on readings: list (the entries in 五十音順 or by number, searched as the
// window searches) and yomi (set or guess readings, under the roster's lock).
bool isReadingCommand(const QString &command);
// The command's arguments, its name first; returns the exit status.
int runReadingCommand(const QString &command, const QStringList &arguments);
