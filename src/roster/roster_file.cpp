#include "roster/roster_file.h"

#include "platform/file_sync.h"
#include "roster/meibo_record.h"

#include <algorithm>

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

bool RosterFile::readLeadingSlots(
    std::int32_t count, const std::function<void(std::int32_t n, QByteArrayView bytes)> &visit)
{
    if (count <= 0)
        return true;
    if (!m_file.isOpen() || !m_file.seek(0)) {
        failed();
        return false;
    }
    // A small buffer used again and again: reading a 14 MB roster into one fresh block costs
    // more in page faults than the copying itself.
    constexpr qint64 slotsPerRead = 256;
    QByteArray buffer(slotsPerRead * MeiboRecord::byteSize, Qt::Uninitialized);
    std::int32_t n = 1;
    while (n <= count) {
        const qint64 wanted = qMin<qint64>(count - n + 1, slotsPerRead) * MeiboRecord::byteSize;
        const qint64 got = m_file.read(buffer.data(), wanted);
        if (got < 0) {
            failed();
            return false;
        }
        const QByteArrayView piece(buffer.constData(), got);
        constexpr qint64 slotSize = MeiboRecord::byteSize;
        for (qint64 at = 0; at < wanted; at += slotSize, ++n)
            visit(n, piece.sliced(qMin(at, got), std::clamp<qint64>(got - at, 0, slotSize)));
        if (got < wanted)
            break;
    }
    for (; n <= count; ++n)
        visit(n, QByteArrayView());
    return true;
}
