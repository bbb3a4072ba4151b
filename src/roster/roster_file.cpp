#include "roster/roster_file.h"

#include "platform/file_sync.h"
#include "roster/meibo_record.h"

qint64 RosterFile::slotOffset(std::int32_t n)
{
    return qint64(n - 1) * MeiboRecord::byteSize;
}

bool RosterFile::open()
{
    close();
    m_file.setFileName(QString::fromLatin1(fileName));
    // Unbuffered: every slot goes straight to the system, and a full disk shows at once.
    if (m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    m_error = m_file.errorString();
    return false;
}

RosterFile::Status RosterFile::failed()
{
    m_error = m_file.isOpen() ? m_file.errorString() : QStringLiteral("file not open");
    m_file.unsetError();
    return Status::Failed;
}

void RosterFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

RosterFile::Status RosterFile::readSlot(std::int32_t n, MeiboRecord &record)
{
    record.clear();
    if (!isValidSlot(n))
        return Status::BadSlotNumber;
    if (!m_file.isOpen() || !m_file.seek(slotOffset(n)))
        return failed();
    const QByteArray bytes = m_file.read(MeiboRecord::byteSize);
    if (m_file.error() != QFileDevice::NoError)
        return failed();
    record = MeiboRecord::fromBytes(bytes);
    return Status::Ok;
}

RosterFile::Status RosterFile::writeSlot(std::int32_t n, const MeiboRecord &record)
{
    if (!isValidSlot(n))
        return Status::BadSlotNumber;
    if (!m_file.isOpen())
        return failed();
    const qint64 oldSize = m_file.size();
    const QByteArray bytes = record.toBytes();
    const bool written = m_file.seek(slotOffset(n)) && m_file.write(bytes) == bytes.size()
                         && syncToDisk(m_file);
    if (written)
        return Status::Ok;
    const Status status = failed();
    // Take back a half-written extension so that the file keeps its length.
    if (m_file.size() > oldSize && m_file.resize(oldSize))
        syncToDisk(m_file);
    m_file.unsetError();
    return status;
}

std::optional<QByteArray> RosterFile::readLeadingSlots(std::int32_t count)
{
    if (count <= 0)
        return QByteArray();
    if (!m_file.isOpen() || !m_file.seek(0)) {
        failed();
        return std::nullopt;
    }
    const qint64 wanted = qMin(m_file.size(), slotOffset(count + 1));
    QByteArray bytes = m_file.read(wanted);
    if (m_file.error() != QFileDevice::NoError) {
        failed();
        return std::nullopt;
    }
    return bytes;
}
