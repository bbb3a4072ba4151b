#include "platform/whole_file_writer.h"

#include "platform/file_kind.h"
#include "platform/file_sync.h"

using namespace Qt::StringLiterals;

WholeFileWriter::WholeFileWriter(const QString &path, InPlaceFallback fallback) : m_file(path)
{
    m_file.setDirectWriteFallback(fallback == InPlaceFallback::Yes);
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
    return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || fail(m_file.errorString());
}

bool WholeFileWriter::write(QByteArrayView bytes)
{
    if (m_failed || !m_file.isOpen())
        return false;
    return m_file.write(bytes.data(), bytes.size()) == bytes.size() || fail(m_file.errorString());
}

bool WholeFileWriter::commit()
{
    if (m_failed || !m_file.isOpen())
        return false;
    if (!syncToDisk(m_file))
        return fail(failureReason(m_file));
    if (!m_file.commit())
        return fail(m_file.errorString());
    syncFolderOf(m_file.fileName());
    return true;
}
