#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

class RosterFile;

// yomi.txt beside the roster: one UTF-8 line per slot with a confirmed reading, "number TAB name
// TAB reading", the name as the slot stores it without its padding. A reading counts only while
// the slot still holds that name, so a slot renamed or deleted by a program that knows nothing of
// this file loses its reading, and the next write drops the line.
class ReadingFile final
{
public:
    static QString fileName();

    // The file of the current folder. Missing, unreadable or damaged means no readings: a line
    // that cannot be read is left out, and the roster never depends on the file.
    static ReadingFile load();
    static ReadingFile fromBytes(QByteArrayView bytes);

    // The confirmed reading of the slot while it holds that name (padding trimmed), else empty.
    QString reading(std::int32_t slot, QStringView storedName) const;
    // Confirms a reading (normalised) for the slot and the name it holds now; an empty one
    // forgets it. False, changing nothing, for a reading or a name the file cannot hold.
    bool setReading(std::int32_t slot, QStringView storedName, QStringView reading);

    // The lines of the slots whose names are still those in the roster, in slot order; nothing
    // when the roster cannot be read.
    std::optional<QByteArray> toBytes(RosterFile &roster) const;
    // Replaces yomi.txt whole. The open roster file is the roster's lock, which the caller holds
    // while it reads the names and writes.
    bool write(RosterFile &roster, QString *reason) const;

private:
    struct Line
    {
        QString name;
        QString reading;
    };
    QHash<std::int32_t, Line> m_lines;
};
