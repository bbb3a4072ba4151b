#include "tool/tool_commands.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "exchange/contact_reading.h"
#include "exchange/contact_stream.h"
#include "exchange/csv_format.h"
#include "exchange/roster_export.h"
#include "exchange/roster_import.h"
#include "exchange/vcard_writer.h"
#include "platform/file_identity.h"
#include "platform/file_kind.h"
#include "platform/file_sync.h"
#include "platform/ordinary_file.h"
#include "platform/picture_loader.h"
#include "platform/whole_file_write.h"
#include "platform/whole_file_writer.h"
#include "readings/reading_file.h"
#include "readings/reading_forms.h"
#include "readings/reading_guesser.h"
#include "roster/meibo_record.h"
#include "roster/roster_file.h"
#include "roster/roster_file_texts.h"
#include "settings/settings_file.h"
#include "tool/console.h"
#include "tool/tool_texts.h"

using namespace Qt::StringLiterals;

using Console::refuse;
using Console::standardError;
using Console::standardOutput;

namespace {

QString rosterPath()
{
    return RosterFile::fileName();
}

// The largest file import reads: far past any address book.
constexpr qint64 inputLimit = qint64(256) * 1024 * 1024;
constexpr qint64 copyPiece = 1024 * 1024;

// The picture file's own bytes, when it loads as a picture.
EmbeddedPhoto photoOf(const QString &path)
{
    if (path.isEmpty() || !loadPicture(path).succeeded())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return {file.readAll(), QImageReader::imageFormat(path).toUpper()};
}

// Whether the two names lead to one file, by a link or a second hard name.
bool isSameFile(const QString &own, const QString &name)
{
    QFile file(own);
    return openOrdinaryFile(file, QIODevice::ReadOnly) == OrdinaryOpen::Opened
           && isFileNamed(file, name);
}

// Whether writing the name would change this folder's roster, its settings or a backup of the
// roster, through whatever links.
bool isProgramFile(const QString &name)
{
    QFileInfo info(name);
    // Followed by hand: the last link may lead to a name that does not exist yet.
    for (int hop = 0; hop < 40 && info.isSymLink(); ++hop)
        info.setFile(info.symLinkTarget());
    const QString leaf = info.fileName();
    const bool here =
        QFileInfo(info.absolutePath()).canonicalFilePath() == QDir::current().canonicalPath();
    return (here
            && (leaf == rosterPath() || leaf == SettingsFile::fileName()
                || (leaf.startsWith(rosterPath() + u'.') && leaf.endsWith(u".bak"_s))))
           || isSameFile(rosterPath(), name) || isSameFile(SettingsFile::fileName(), name);
}

// Names written to as they are: what is not an ordinary file, and the names of the program's
// own descriptors, which lead to what the shell opened, perhaps a file to append to.
bool isStream(const QString &name)
{
    const QString path = QFileInfo(name).absoluteFilePath();
    return isSpecialFile(name) || path.startsWith(u"/dev/fd/"_s) || path.startsWith(u"/dev/std"_s)
           || path.startsWith(u"/proc/self/fd/"_s);
}

// Where the export goes, a card at a time: standard output, a stream, or an ordinary file that
// is replaced whole once every card is written.
class ExportOutput final
{
public:
    explicit ExportOutput(const QString &name) : m_name(name), m_whole(name) {}
    ~ExportOutput()
    {
        if (m_stream && m_stream != stdout)
            std::fclose(m_stream);
    }
    Q_DISABLE_COPY_MOVE(ExportOutput)

    bool open()
    {
        if (!m_name.isEmpty() && !isStream(m_name))
            return m_whole.open() || fail(m_whole.errorString());
        // Appended to, never cut short: the shell may have opened it to append.
        m_stream = m_name.isEmpty() ? stdout : std::fopen(QFile::encodeName(m_name).constData(), "ab");
        return m_stream || fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    bool write(const QByteArray &bytes)
    {
        if (!m_stream)
            return m_whole.write(bytes) || fail(m_whole.errorString());
        return std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), m_stream)
                   == std::size_t(bytes.size())
               || fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    bool finish()
    {
        if (!m_stream)
            return m_whole.commit() || fail(m_whole.errorString());
        return std::fflush(m_stream) == 0 || fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    QString reason() const { return m_reason; }

private:
    bool fail(const QString &reason)
    {
        m_reason = reason;
        return false;
    }

    QString m_name;
    WholeFileWriter m_whole;
    std::FILE *m_stream = nullptr;
    QString m_reason;
};

// The entries of the roster, opened as the window opens it: never blocking, and only when it is
// an ordinary file. Nothing once the reason is said.
std::optional<RosterEntries> readRoster()
{
    QFile file(rosterPath());
    QString reason;
    switch (openOrdinaryFile(file, QIODevice::ReadOnly)) {
    case OrdinaryOpen::NotOrdinary:
        refuse(RosterFileTexts::openFailure(RosterFile::Status::NotOrdinaryFile, {}));
        return std::nullopt;
    case OrdinaryOpen::Failed:
        reason = file.errorString();
        break;
    case OrdinaryOpen::Opened:
        if (std::optional<RosterEntries> entries = readRosterEntries(file, &reason))
            return entries;
        break;
    }
    refuse(RosterFileTexts::cannotRead(reason));
    return std::nullopt;
}

// Opens a file the command line names for reading, never blocking, and only an ordinary file:
// a FIFO would hang the command and a device may never end. False once the reason is said.
bool openInput(QFile &file)
{
    switch (openOrdinaryFile(file, QIODevice::ReadOnly)) {
    case OrdinaryOpen::Opened:
        return true;
    case OrdinaryOpen::NotOrdinary:
        refuse(ToolTexts::notOrdinary(file.fileName()));
        return false;
    case OrdinaryOpen::Failed:
        break;
    }
    refuse(ToolTexts::cannotReadFile(file.fileName(), file.errorString()));
    return false;
}

// Hands the file's bytes from its start to write, a piece at a time; false at the first failure,
// with the reason when it was the reading.
template <typename Write>
bool copyPieces(QFile &from, Write write, QString *reason)
{
    if (!from.seek(0)) {
        *reason = from.errorString();
        return false;
    }
    while (true) {
        const QByteArray piece = from.read(copyPiece);
        if (from.error() != QFileDevice::NoError) {
            *reason = from.errorString();
            return false;
        }
        if (piece.isEmpty())
            return true;
        if (!write(piece))
            return false;
    }
}

// A copy of the roster in a new file beside it, named by the date and time, complete and on the
// disk; its name, or nothing with the reason. No existing file is written over or removed.
QString backUpRoster(QString *reason)
{
    QFile roster(rosterPath());
    if (openOrdinaryFile(roster, QIODevice::ReadOnly) != OrdinaryOpen::Opened) {
        *reason = roster.errorString();
        return {};
    }
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QFile backup;
    // Another backup within the same second gets "_2", which lists after the first.
    for (int n = 1;; ++n) {
        backup.setFileName(rosterPath() + u'.' + stamp
                           + (n == 1 ? QString() : u"_"_s + QString::number(n)) + u".bak"_s);
        if (backup.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        if (!backup.exists() || n == 100) {
            *reason = backup.errorString();
            return {};
        }
    }
    backup.setPermissions(roster.permissions());
    const auto write = [&backup, reason](const QByteArray &piece) {
        if (backup.write(piece) == piece.size())
            return true;
        *reason = backup.errorString();
        return false;
    };
    if (!copyPieces(roster, write, reason) || !syncToDisk(backup)) {
        if (reason->isEmpty())
            *reason = failureReason(backup);
        backup.remove();
        return {};
    }
    backup.close();
    syncFolderOf(backup.fileName());
    return backup.fileName();
}

QString entryLabel(const ExchangeEntry &entry)
{
    return entry.name.isEmpty() ? ToolTexts::noName() : entry.name;
}

// A confirmed reading travels as the family and the given reading, split at its space.
void carryReading(ExchangeEntry &entry, const QString &reading)
{
    const qsizetype space = reading.indexOf(u' ');
    entry.familyReading = space < 0 ? reading : reading.left(space);
    entry.givenReading = space < 0 ? QString() : reading.mid(space + 1);
}

QString readingOf(const ExchangeEntry &entry)
{
    if (entry.givenReading.isEmpty())
        return entry.familyReading;
    return entry.familyReading + u' ' + entry.givenReading;
}

QByteArray exportedEntry(const ExchangeEntry &entry, const ExportOptions &options)
{
    switch (options.format) {
    case ExportFormat::Csv:
        return csvRow(entry);
    case ExportFormat::VCard21:
    case ExportFormat::VCard30:
    case ExportFormat::VCard40:
        break;
    }
    const VCardVersion version = options.format == ExportFormat::VCard21   ? VCardVersion::V21
                                 : options.format == ExportFormat::VCard30 ? VCardVersion::V30
                                                                           : VCardVersion::V40;
    return vCard(entry, version, options.photos ? photoOf(entry.picturePath) : EmbeddedPhoto());
}

// One card per file, named by its UID, as folders that sync with a server keep them.
int exportCardFiles(const QList<ExchangeEntry> &entries, const ExportOptions &options)
{
    if (!QDir().mkpath(options.outputDirectory))
        return refuse(ToolTexts::cannotEnterFolder(options.outputDirectory));
    for (const ExchangeEntry &entry : entries) {
        const QString path = QDir(options.outputDirectory).filePath(entry.uid + u".vcf"_s);
        QString reason;
        if (!writeWholeFile(path, exportedEntry(entry, options), &reason))
            return refuse(ToolTexts::cannotWrite(path, reason));
    }
    return 0;
}

// Each loss of an entry on a line of its own, indented under the entry.
class LossLines final : public LossWriter
{
public:
    explicit LossLines(QTextStream &out) : m_out(out) {}
    void write(QStringView piece) override
    {
        if (m_lineStart)
            m_out << u"    "_s;
        m_lineStart = false;
        m_out << piece;
    }
    void endLoss() override
    {
        m_out << u'\n';
        m_lineStart = true;
    }

private:
    QTextStream &m_out;
    bool m_lineStart = true;
};

// The numbers, from 1, of the cards or rows of the file that have no field the roster keeps.
QList<int> entriesWithoutFields(ContactStream &contacts)
{
    QList<int> numbers;
    int card = 0;
    for (ReadContact contact; contacts.next(contact);) {
        ++card;
        if (contact.entry.isEmpty())
            numbers.append(card);
    }
    return numbers;
}

} // namespace

int exportRoster(const ExportOptions &options)
{
    if (!options.output.isEmpty() && isProgramFile(options.output))
        return refuse(ToolTexts::programFile(options.output));
    if (!QFileInfo::exists(rosterPath()))
        return refuse(ToolTexts::noRoster(QDir::currentPath()));
    std::optional<RosterEntries> roster = readRoster();
    if (!roster)
        return 1;
    const ReadingFile readings = ReadingFile::load();
    ReadingGuesser guesser;
    for (ExchangeEntry &entry : roster->entries) {
        QString reading = readings.reading(entry.number, entry.name);
        if (reading.isEmpty() && options.guessedReadings && !ReadingForms::isOwnReading(entry.name))
            reading = guesser.guess(entry.name);
        carryReading(entry, reading);
    }
    for (const UndecodableField &field : roster->undecodable)
        standardError() << ToolTexts::undecodable(field.slot, fieldLabel(field.field)) << Qt::endl;
    if (roster->pastLastSlot > 0)
        standardError() << ToolTexts::pastLastSlot(roster->pastLastSlot) << Qt::endl;
    if (!options.outputDirectory.isEmpty())
        return exportCardFiles(roster->entries, options);
    // A card at a time, so that pictures never have to be held all at once.
    ExportOutput output(options.output);
    bool written =
        output.open() && (options.format != ExportFormat::Csv || output.write(csvHeader()));
    for (qsizetype i = 0; written && i < roster->entries.size(); ++i)
        written = output.write(exportedEntry(roster->entries.at(i), options));
    if (!written || !output.finish())
        return refuse(ToolTexts::cannotWrite(options.output, output.reason()));
    return 0;
}

int importContacts(const ImportOptions &options)
{
    QFile file(options.file);
    if (!openInput(file))
        return 1;
    if (file.size() > inputLimit)
        return refuse(ToolTexts::tooLarge(options.file));
    // Read through once before anything is said: its size, even of a file that grows while it
    // is read, a failure to read it and whether it is UTF-8 are known only at its end. The
    // entries without a usable field are named before any is placed.
    ContactStream first(file, inputLimit);
    QList<int> skipped = entriesWithoutFields(first);
    first.skipRest();
    if (first.isPastLimit())
        return refuse(ToolTexts::tooLarge(options.file));
    if (first.hasFailed())
        return refuse(ToolTexts::cannotReadFile(options.file, first.errorString()));
    if (first.format() == ContactFormat::Unknown)
        return refuse(ToolTexts::notContacts(options.file));
    // Only what was read the first time, however the file changes meanwhile.
    const qint64 size = first.fileBytes();
    const bool utf8 = first.isUtf8();
    // Read as UTF-8 the first time: another reading, where a card may turn out to have no
    // usable field after all.
    if (!utf8) {
        ContactStream again(file, size, utf8);
        skipped = entriesWithoutFields(again);
        if (again.hasFailed())
            return refuse(ToolTexts::cannotReadFile(options.file, again.errorString()));
    }
    QTextStream &out = standardOutput();
    for (const int number : std::as_const(skipped))
        out << ToolTexts::skipped(number) << u'\n';
    skipped = QList<int>();

    RosterFile roster;
    QString backup;
    if (options.apply) {
        const bool existed = QFileInfo::exists(rosterPath());
        // The lock first: while a Vedrin window has the roster, nothing is written, not even
        // the copy.
        if (const RosterFile::Status status = roster.open(); status != RosterFile::Status::Ok)
            return refuse(RosterFileTexts::openFailure(status, roster.errorString()));
        QString reason;
        if (existed && (backup = backUpRoster(&reason)).isEmpty())
            return refuse(ToolTexts::cannotBackUp(reason));
    }
    QList<bool> occupied;
    if (QFileInfo::exists(rosterPath())) {
        const std::optional<RosterEntries> entries = readRoster();
        if (!entries)
            return 1;
        for (const ExchangeEntry &entry : entries->entries) {
            if (occupied.size() < entry.number)
                occupied.resize(entry.number, false);
            occupied[entry.number - 1] = true;
        }
    }

    int written = 0;
    ReadingFile readings = ReadingFile::load();
    bool readingsChanged = false;
    ImportPlacer placer(occupied, options.replace, RosterFile::lastSlot);
    // Each entry is placed, told and written before the next is read.
    ContactStream contacts(file, size, utf8);
    for (ReadContact contact; contacts.next(contact);) {
        if (contact.entry.isEmpty())
            continue;
        const ImportPlacement placement = placer.place(contact.entry);
        const QString label = entryLabel(contact.entry);
        if (placement.slot == 0) {
            out << ToolTexts::noRoom(label) << u'\n';
            continue;
        }
        out << ToolTexts::placed(placement.slot, label) << u'\n';
        if (placement.takenInFile > 0)
            out << u"    "_s << ToolTexts::takenInFile(placement.takenInFile) << u'\n';
        const QString reading = readingOf(contact.entry);
        if (!reading.isEmpty())
            out << u"    "_s << ToolTexts::reading(reading) << u'\n';
        LossLines losses(out);
        placer.reportLosses(contact, placement.record, losses);
        if (!options.apply)
            continue;
        if (roster.writeSlot(placement.slot, placement.record) != RosterFile::Status::Ok)
            return refuse(ToolTexts::cannotWriteRoster(roster.errorString()) + u'\n'
                          + ToolTexts::stoppedPartWay(written, placement.slot, label, backup));
        ++written;
        // An imported reading is confirmed, for the name as its slot now holds it.
        if (!reading.isEmpty())
            readingsChanged |= readings.setReading(
                placement.slot, exchangeEntry(placement.slot, placement.record).name, reading);
    }
    if (contacts.hasFailed())
        return refuse(ToolTexts::cannotReadFile(options.file, contacts.errorString())
                      + (options.apply ? u'\n' + ToolTexts::written(written, backup) : QString()));
    QString readingsReason;
    if (readingsChanged && !readings.write(roster, &readingsReason))
        return refuse(ToolTexts::cannotWriteReadings(readingsReason));
    out << (options.apply ? ToolTexts::written(written, backup) : ToolTexts::dryRun()) << Qt::endl;
    return 0;
}

int restoreRoster(const RestoreOptions &options)
{
    QFile backup(options.backup);
    if (!openInput(backup))
        return 1;
    if (isSameFile(rosterPath(), options.backup))
        return refuse(ToolTexts::restoreFromRoster());
    // Every roster is whole slots long: anything else is some other file.
    if (backup.size() % MeiboRecord::byteSize != 0)
        return refuse(ToolTexts::notBackup(options.backup));
    QString reason;
    const std::optional<RosterEntries> saved = readRosterEntries(backup, &reason);
    if (!saved)
        return refuse(ToolTexts::cannotReadFile(options.backup, reason));
    const bool existed = QFileInfo::exists(rosterPath());
    const std::optional<RosterEntries> current = existed ? readRoster() : RosterEntries();
    if (!current)
        return 1;
    standardOutput() << ToolTexts::restorePreview(
        options.backup, int(saved->entries.size()) + saved->pastLastSlot,
        int(current->entries.size()) + current->pastLastSlot)
                     << Qt::endl;
    if (!options.apply) {
        standardOutput() << ToolTexts::dryRun() << Qt::endl;
        return 0;
    }
    RosterFile roster;
    if (const RosterFile::Status status = roster.open(); status != RosterFile::Status::Ok)
        return refuse(RosterFileTexts::openFailure(status, roster.errorString()));
    QString made;
    if (existed && (made = backUpRoster(&reason)).isEmpty())
        return refuse(ToolTexts::cannotBackUp(reason));
    // Replaced whole under the lock: a failure leaves the roster as it was.
    WholeFileWriter replacement(rosterPath());
    const auto write = [&replacement](const QByteArray &piece) { return replacement.write(piece); };
    if (!replacement.open() || !copyPieces(backup, write, &reason) || !replacement.commit())
        return refuse(ToolTexts::cannotWriteRoster(reason.isEmpty() ? replacement.errorString()
                                                                    : reason));
    standardOutput() << ToolTexts::restored(options.backup, made) << Qt::endl;
    return 0;
}
