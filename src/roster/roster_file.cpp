#include "roster/roster_file.h"

#include <algorithm>

#include "platform/file_identity.h"
#include "platform/file_kind.h"
#include "platform/file_lock.h"
#include "platform/file_space.h"
#include "platform/file_sync.h"
#include "platform/ordinary_file.h"
#include "roster/meibo_record.h"

using namespace Qt::StringLiterals;

QString RosterFile::fileName()
{
    return u"meibo.dat"_s;
}

qint64 RosterFile::slotOffset(std::int32_t n)
{
    return qint64(n - 1) * MeiboRecord::byteSize;
}

RosterFile::Status RosterFile::open()
{
    // The lock stays: dropping it even for a moment would let another program in.
    closeKeepingLock();
    m_opened = true;
    return openName();
}

RosterFile::Status RosterFile::openName()
{
    m_file.close();
    if (!isOrdinaryName())
        return Status::NotOrdinaryFile;
    const QString name = fileName();
    const bool existed = QFile::exists(name);
    m_file.setFileName(name);
    // Unbuffered: every slot goes straight to the system, and a full disk shows at once.
    if (const Status status = openOrdinary(m_file, QIODevice::ReadWrite | QIODevice::Unbuffered);
        status != Status::Ok)
        return status;
    if (!existed)
        syncFolderOf(name);
    if (const Status status = takeLock(); status != Status::Ok) {
        m_file.close();
        return status;
    }
    return Status::Ok;
}

bool RosterFile::isOrdinaryName()
{
    // Checked before opening: opening a device may do what opening a data file must not.
    if (!isSpecialFile(fileName()))
        return true;
    m_error = u"not an ordinary file"_s;
    return false;
}

RosterFile::Status RosterFile::openOrdinary(QFile &file, QIODevice::OpenMode mode)
{
    switch (openOrdinaryFile(file, mode)) {
    case OrdinaryOpen::Opened:
        return Status::Ok;
    case OrdinaryOpen::NotOrdinary:
        m_error = u"not an ordinary file"_s;
        return Status::NotOrdinaryFile;
    case OrdinaryOpen::Failed:
        break;
    }
    m_error = file.errorString();
    return Status::Failed;
}

RosterFile::Status RosterFile::takeLock()
{
    const QString name = fileName();
    if (m_lock.isOpen() && isFileNamed(m_lock, name))
        return Status::Ok;
    m_lock.close();
    if (!isOrdinaryName())
        return Status::NotOrdinaryFile;
    if (!QFile::exists(name))
        return Status::Ok;
    m_lock.setFileName(name);
    if (const Status status = openOrdinary(m_lock, QIODevice::ReadWrite | QIODevice::ExistingOnly);
        status != Status::Ok)
        return status;
    // A file system that keeps no locks still holds the roster: refusing it would help no one.
    if (lockFile(m_lock) == FileLockResult::HeldElsewhere) {
        m_lock.close();
        m_error = u"in use by another program"_s;
        return Status::Locked;
    }
    return Status::Ok;
}

RosterFile::Status RosterFile::followName()
{
    if (!m_opened) {
        m_error = u"file not open"_s;
        return Status::Failed;
    }
    if (m_file.isOpen() && isFileNamed(m_file, fileName()))
        return Status::Ok;
    return openName();
}

RosterFile::Status RosterFile::failed()
{
    m_error = m_file.isOpen() ? failureReason(m_file) : u"file not open"_s;
    m_file.unsetError();
    return Status::Failed;
}

void RosterFile::close()
{
    closeKeepingLock();
    m_lock.close();
}

void RosterFile::closeKeepingLock()
{
    m_opened = false;
    m_file.close();
}

RosterFile::Status RosterFile::readSlot(std::int32_t n, MeiboRecord &record)
{
    record.clear();
    if (!isValidSlot(n))
        return Status::BadSlotNumber;
    if (const Status status = followName(); status != Status::Ok)
        return status;
    if (!m_file.seek(slotOffset(n)))
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
    if (const Status status = followName(); status != Status::Ok)
        return status;
    const qint64 offset = slotOffset(n);
    const qint64 oldSize = m_file.size();
    if (!m_file.seek(offset))
        return failed();
    const QByteArray oldBytes = m_file.read(MeiboRecord::byteSize);
    if (m_file.error() != QFileDevice::NoError)
        return failed();
    const QByteArray bytes = record.toBytes();
    // Room taken first, so that a full disk stops the write before its first byte.
    const bool written = reserveFileSpace(m_file, offset, bytes.size()) && m_file.seek(offset)
                         && m_file.write(bytes) == bytes.size() && syncToDisk(m_file);
    if (written)
        return Status::Ok;
    const Status status = failed();
    restore(offset, oldBytes, oldSize);
    return status;
}

void RosterFile::restore(qint64 offset, const QByteArray &oldBytes, qint64 oldSize)
{
    if (m_file.seek(offset))
        m_file.write(oldBytes);
    if (m_file.size() > oldSize)
        m_file.resize(oldSize);
    syncToDisk(m_file);
    m_file.unsetError();
}

bool RosterFile::readLeadingSlots(
    std::int32_t count, const std::function<void(std::int32_t n, QByteArrayView bytes)> &visit)
{
    if (count <= 0)
        return true;
    if (followName() != Status::Ok)
        return false;
    if (!m_file.seek(0)) {
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
