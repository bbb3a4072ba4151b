#pragma once

#include <QByteArray>
#include <QString>

#include "platform/whole_file_writer.h"

// Replaces the ordinary file at path with bytes: written aside, every write, the flush and the
// sync checked, then renamed over the old file. On any failure the new bytes are thrown away,
// the old file stays as it was, and reason, when given, receives the system's words. A name
// that leads to something other than an ordinary file (or nothing) is refused untouched.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *reason = nullptr,
                    InPlaceFallback fallback = InPlaceFallback::No);
