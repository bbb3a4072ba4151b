#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class MeiboRecord;

// meibo.dat in the current directory: slot n is the 436-byte record at (n - 1) * 436.
class RosterFile final
{
public:
    enum class Status { Ok, BadSlotNumber, Failed };

    static constexpr std::int32_t firstSlot = 1;
    // The largest roster size; a slot above it could never be listed, and a mistyped number
    // would make the file gigabytes long.
    static constexpr std::int32_t lastSlot = 32767;
    static constexpr char fileName[] = "meibo.dat";

    RosterFile() = default;
    RosterFile(const RosterFile &) = delete;
    RosterFile &operator=(const RosterFile &) = delete;

    // Opens the file for reading and writing, creating it empty when it is missing.
    bool open();
    void close();
    bool isOpen() const { return m_file.isOpen(); }

    // Clears the record, then reads slot n into it; a slot past the end reads as never written.
    Status readSlot(std::int32_t n, MeiboRecord &record);
    // Writes slot n and waits until it is on the disk. A failure leaves the file's length and
    // every other slot as they were.
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

    Status failed();

    QFile m_file;
    QString m_error;
};
