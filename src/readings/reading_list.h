#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

#include "readings/reading_file.h"
#include "readings/reading_guesser.h"

class RosterFile;

enum class ReadingKind {
    None,      // nothing to show: no reading and no guess
    Confirmed, // from yomi.txt
    Own,       // a name in kana or Latin letters, its own reading
    Guessed,   // the guesser's, never stored unless confirmed
};

// One non-blank slot as the reading list shows it, its fields without their padding.
struct ReadingEntry
{
    std::int32_t number = 0;
    QString name;
    QString tell;
    QString mail;
    QString reading;
    ReadingKind kind = ReadingKind::None;
};

// Every non-blank slot of the roster with its reading, in 五十音順 or by number, and the search
// over them. The window and the console tool share it, so that both order and match alike.
class ReadingList final
{
public:
    enum class Order { Reading, Number };

    // Reads meibo.dat and yomi.txt of the current folder, read only; slots without a confirmed
    // reading get the guesser's. A missing roster is an empty one; false, with the system's
    // words, when it cannot be read.
    bool load(QString *reason);

    const QList<ReadingEntry> &entries() const { return m_entries; }
    qsizetype size() const { return m_entries.size(); }
    const ReadingFile &readings() const { return m_file; }

    // The positions of every entry in that order: by reading in Japanese collation (the name
    // where nothing gives a reading), ties by number; or by number.
    QList<int> ordered(Order order) const;
    // Of the positions given, in their order, those that the search matches: by name, reading
    // (hiragana, katakana and half-width alike), romaji of the reading, telephone digits and
    // mail, width and case ignored. An empty search matches all.
    QList<int> matching(const QList<int> &positions, QStringView search) const;
    // The gojūon row of an entry (ReadingForms::indexRow).
    int indexRow(int position) const;

    // NotKept: a reading too long, or a name with a line break; NotWritten: yomi.txt could not
    // be written, and the reason says why. Either way nothing changed.
    enum class Confirmation { Confirmed, NotKept, NotWritten };
    // Confirms the reading of the entry at that position (an empty one forgets it) and writes
    // yomi.txt; the open roster file is the roster's lock, held while it reads and writes.
    Confirmation confirm(int position, QStringView reading, RosterFile &roster, QString *reason);
    // The same for many at once, with one write.
    Confirmation confirmAll(const QList<int> &positions, const QStringList &readings,
                            RosterFile &roster, QString *reason);

private:
    void addEntry(std::int32_t number, QByteArrayView bytes);
    // The entry's reading: confirmed, its own, or the guesser's.
    void takeReading(ReadingEntry &entry);
    void makeKeys(const QList<int> &positions);
    void sortByReading();

    QList<ReadingEntry> m_entries;
    // Per entry its searched forms in one text, apart by a character no search holds: the
    // name and mail folded, the reading in hiragana and in romaji, the telephone's digits.
    std::vector<QString> m_haystacks;
    QList<int> m_readingOrder;
    ReadingFile m_file;
    ReadingGuesser m_guesser;
};
