#pragma once

class QString;
class QTextStream;

// The tool's standard output and error, one stream each for every command, so that what the
// commands write never interleaves out of order.
namespace Console {
QTextStream &standardOutput();
QTextStream &standardError();
// Writes the message to standard error, after what standard output holds; returns the status
// of a refused or failed command.
int refuse(const QString &message);
} // namespace Console
