#pragma once

#include <QString>

struct SettingsValues;

// settei.ini in the current directory: one line, the maximum in decimal, a comma and the
// owner's name in double quotes, CR LF, in Shift-JIS.
namespace SettingsFile {
QString fileName();

// Whether the name may be opened at all: false for a FIFO, a socket or a device, or a link to
// one, which both operations below refuse without opening.
bool isUsable();
} // namespace SettingsFile

// Reads the first two fields, each ending at a comma, a line end or the end of the file, from
// the file's first 64 KiB; what follows them is ignored. Each value is stored as soon as it is read, so a file that holds a
// valid maximum but no name changes MaxEntries and still fails.
bool ReadSettingsFile(SettingsValues &values);

// Replaces the file with the values' line, leaving the old file whole on failure; a folder that
// may not take a new file has the file rewritten in place instead. On failure reason, when
// given, receives the system's words.
bool WriteSettingsFile(const SettingsValues &values, QString *reason = nullptr);
