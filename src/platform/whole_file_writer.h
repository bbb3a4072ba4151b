#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// Whether a folder that takes no new file may have the file rewritten in place instead; only the
// settings use it, since the user may own the file but not the folder.
enum class InPlaceFallback { No, Yes };

// Replaces the ordinary file at a path with bytes given piece by piece, so that a large file
// never has to be held whole: written aside, every write, the flush and the sync checked, then
// renamed over the old file. After any failure the new bytes are thrown away and the old file
// stays as it was; errorString() holds the system's words. A name that leads to something other
// than an ordinary file (or nothing) is refused untouched. Rewritten in place, the file is
// written at the commit, from the pieces kept until then.
class WholeFileWriter final
{
public:
    explicit WholeFileWriter(const QString &path, InPlaceFallback fallback = InPlaceFallback::No);
    Q_DISABLE_COPY_MOVE(WholeFileWriter)

    bool open();
    bool write(QByteArrayView bytes);
    // Renames the written file over the old one, once it is on the disk.
    bool commit();
    QString errorString() const { return m_error; }

private:
    bool fail(const QString &reason);

    QSaveFile m_file;
    InPlaceFallback m_fallback;
    bool m_inPlace = false;
    QByteArray m_pending; // the pieces of a file rewritten in place
    QString m_error;
    bool m_failed = false;
};
