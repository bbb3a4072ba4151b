#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class MeiboRecord;

// meibo.dat in the current directory: slot n is the 436-byte record at (n - 1) * 436.
// From open() or takeLock() to close() it holds the roster lock, which every program that writes
// the roster takes first.
class RosterFile final
{
public:
    // Locked: another copy of the program, or another tool, has the roster open.
    // NotOrdinaryFile: the name leads to something else, such as a FIFO or a device.
    enum class Status { Ok, BadSlotNumber, Failed, Locked, NotOrdinaryFile };

    static constexpr std::int32_t firstSlot = 1;
    // The largest roster size; a slot above it could never be listed, and a mistyped number
    // would make the file gigabytes long.
    static constexpr std::int32_t lastSlot = 32767;
    static QString fileName();

    RosterFile() = default;
    RosterFile(const RosterFile &) = delete;
    RosterFile &operator=(const RosterFile &) = delete;

    // Opens the file for reading and writing, creating it empty when it is missing, and takes
    // the roster lock. Every read and write afterwards first checks that the file is still the
    // one named meibo.dat, and opens the name afresh when it was replaced or deleted, so that
    // entries always land in the file the user finds in the folder.
    Status open();
    // Takes the roster lock alone, without opening the file; Ok when it is held already, or when
    // there is no meibo.dat yet to lock (open() creates and locks it).
    Status takeLock();
    void close();
    // Closes the file but keeps the lock, so that no one takes the roster until it opens again.
    void closeKeepingLock();
    bool isOpen() const { return m_file.isOpen(); }

    // Clears the record, then reads slot n into it; a slot past the end reads as never written.
    Status readSlot(std::int32_t n, MeiboRecord &record);
    // Writes slot n and waits until it is on the disk. A failure leaves every byte of the file
    // as it was.
    Status writeSlot(std::int32_t n, const MeiboRecord &record);
    // Hands the stored bytes of slots 1 to count to visit, in order, reading many slots at a
    // time: a slot cut off by the end of the file comes short, one past it empty. False when a
    // read fails.
    bool readLeadingSlots(std::int32_t count,
                          const std::function<void(std::int32_t n, QByteArrayView bytes)> &visit);

    // The system's reason for the last failure.
    QString errorString() const { return m_error; }

private:
    static bool isValidSlot(std::int32_t n) { return n >= firstSlot && n <= lastSlot; }
    static qint64 slotOffset(std::int32_t n);

    Status openName();
    bool isOrdinaryName();
    // Opens file through openOrdinaryFile, with the reason of a failure in m_error.
    Status openOrdinary(QFile &file, QIODevice::OpenMode mode);
    Status followName();
    Status failed();
    void restore(qint64 offset, const QByteArray &oldBytes, qint64 oldSize);

    QFile m_file;
    // A descriptor held only for the lock, so that the lock outlives the closed file.
    QFile m_lock;
    QString m_error;
    // Opened and not closed since, though a failed reopening may have left no handle.
    bool m_opened = false;
};
