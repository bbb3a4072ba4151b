#include "platform/whole_file_writer.h"

#include <QFile>

#include <optional>

#include "platform/file_kind.h"
#include "platform/file_space.h"
#include "platform/file_sync.h"
#include "platform/ordinary_file.h"

using namespace Qt::StringLiterals;

namespace {

// Rewrites the file through one descriptor, opened without blocking: room for the new bytes is
// taken first and a failed write puts the old ones back, so the file never comes out short.
std::optional<QString> rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    const OrdinaryOpen opened = openOrdinaryFile(
        file, QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered);
    if (opened != OrdinaryOpen::Opened)
        return opened == OrdinaryOpen::NotOrdinary ? u"not an ordinary file"_s : file.errorString();
    const qint64 oldSize = file.size();
    const QByteArray oldBytes = file.read(bytes.size());
    if (reserveFileSpace(file, 0, bytes.size()) && file.seek(0)
        && file.write(bytes) == bytes.size() && syncToDisk(file)) {
        // Only now is the old tail let go.
        if (file.resize(bytes.size()) && syncToDisk(file))
            return std::nullopt;
        return failureReason(file);
    }
    const QString why = failureReason(file);
    if (file.seek(0))
        file.write(oldBytes);
    if (file.size() > oldSize)
        file.resize(oldSize);
    syncToDisk(file);
    return why;
}

} // namespace

WholeFileWriter::WholeFileWriter(const QString &path, InPlaceFallback fallback)
    : m_file(path), m_fallback(fallback)
{
    // Qt's own fallback would open the name blocking and empty the file before writing it.
    m_file.setDirectWriteFallback(false);
}

bool WholeFileWriter::fail(const QString &reason)
{
    m_error = reason;
    m_failed = true;
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit();
    }
    return false;
}

bool WholeFileWriter::open()
{
    if (isSpecialFile(m_file.fileName()))
        return fail(u"not an ordinary file"_s);
    // Unbuffered, so that a full disk fails the write itself: Qt 6.4's commit() does not report
    // a failed flush of its buffer and renames the short file over the old one.
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    // A folder that takes no new file leaves only the file itself to write, at the commit.
    m_inPlace = m_fallback == InPlaceFallback::Yes && QFile::exists(m_file.fileName());
    return m_inPlace || fail(m_file.errorString());
}

bool WholeFileWriter::write(QByteArrayView bytes)
{
    if (m_failed)
        return false;
    if (m_inPlace) {
        m_pending += bytes;
        return true;
    }
    if (!m_file.isOpen())
        return false;
    return m_file.write(bytes.data(), bytes.size()) == bytes.size() || fail(m_file.errorString());
}

bool WholeFileWriter::commit()
{
    if (m_failed)
        return false;
    if (m_inPlace) {
        const std::optional<QString> failure = rewriteInPlace(m_file.fileName(), m_pending);
        return !failure || fail(*failure);
    }
    if (!m_file.isOpen())
        return false;
    if (!syncToDisk(m_file))
        return fail(failureReason(m_file));
    if (!m_file.commit())
        return fail(m_file.errorString());
    syncFolderOf(m_file.fileName());
    return true;
}
