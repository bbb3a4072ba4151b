#pragma once

class QString;
class QStringView;
class QTextStream;

// The tool's standard output and error, one stream each for every command, so that what the
// commands write never interleaves out of order.
namespace Console {
QTextStream &standardOutput();
QTextStream &standardError();
// The text and a line end, a piece at a time: a line of many thousand characters is never
// copied whole into the stream's buffer.
void writeLine(QTextStream &stream, QStringView text);
// Writes the message to standard error, after what standard output holds; returns the status
// of a refused or failed command.
int refuse(const QString &message);
} // namespace Console
