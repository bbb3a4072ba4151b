#include "tool/tool_commands.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "exchange/contact_reading.h"
#include "exchange/csv_format.h"
#include "exchange/roster_export.h"
#include "exchange/roster_import.h"
#include "exchange/vcard_writer.h"
#include "platform/picture_loader.h"
#include "platform/whole_file_write.h"
#include "roster/roster_file.h"
#include "roster/roster_file_texts.h"
#include "tool/tool_texts.h"

using namespace Qt::StringLiterals;

namespace {

QTextStream &standardError()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream &standardOutput()
{
    static QTextStream stream(stdout);
    return stream;
}

int refuse(const QString &message)
{
    standardError() << message << Qt::endl;
    return 1;
}

QString rosterPath()
{
    return RosterFile::fileName();
}

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

bool writeOutput(const QByteArray &bytes, const QString &output, QString *reason)
{
    if (output.isEmpty()) {
        const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout)
                                 == std::size_t(bytes.size())
                             && std::fflush(stdout) == 0;
        if (!written)
            *reason = QString::fromLocal8Bit(std::strerror(errno));
        return written;
    }
    QSaveFile file(output);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                         && file.commit();
    if (!written)
        *reason = file.errorString();
    return written;
}

QString entryLabel(const ExchangeEntry &entry)
{
    return entry.name.isEmpty() ? ToolTexts::noName() : entry.name;
}

} // namespace

int exportRoster(const ExportOptions &options)
{
    if (!QFileInfo::exists(rosterPath()))
        return refuse(ToolTexts::noRoster(QDir::currentPath()));
    QString reason;
    const std::optional<RosterEntries> roster = readRosterEntries(rosterPath(), &reason);
    if (!roster)
        return refuse(RosterFileTexts::cannotRead(reason));
    for (const UndecodableField &field : roster->undecodable)
        standardError() << ToolTexts::undecodable(field.slot, fieldLabel(field.field)) << Qt::endl;
    QByteArray bytes = options.format == ExportFormat::Csv ? csvHeader() : QByteArray();
    if (!options.outputDirectory.isEmpty() && !QDir().mkpath(options.outputDirectory))
        return refuse(ToolTexts::cannotWrite(options.outputDirectory, QString()));
    for (const ExchangeEntry &entry : roster->entries) {
        switch (options.format) {
        case ExportFormat::Csv:
            bytes += csvRow(entry);
            break;
        case ExportFormat::VCard21:
        case ExportFormat::VCard30:
        case ExportFormat::VCard40: {
            const VCardVersion version = options.format == ExportFormat::VCard21 ? VCardVersion::V21
                                         : options.format == ExportFormat::VCard30
                                             ? VCardVersion::V30
                                             : VCardVersion::V40;
            const QByteArray card = vCard(entry, version,
                                          options.photos ? photoOf(entry.picturePath) : EmbeddedPhoto());
            if (options.outputDirectory.isEmpty()) {
                bytes += card;
                break;
            }
            // One card per file, as folders that sync with a server keep them.
            const QString path = QDir(options.outputDirectory).filePath(entry.uid + u".vcf"_s);
            if (!writeWholeFile(path, card, &reason))
                return refuse(ToolTexts::cannotWrite(path, reason));
            break;
        }
        }
    }
    if (options.outputDirectory.isEmpty() && !writeOutput(bytes, options.output, &reason))
        return refuse(ToolTexts::cannotWrite(options.output, reason));
    return 0;
}

int importContacts(const ImportOptions &options)
{
    QFile file(options.file);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(ToolTexts::cannotReadFile(options.file, file.errorString()));
    const ContactReading reading = readContacts(file.readAll());
    if (reading.format == ContactFormat::Unknown)
        return refuse(ToolTexts::notContacts(options.file));

    QList<ReadContact> usable;
    for (qsizetype i = 0; i < reading.contacts.size(); ++i) {
        if (reading.contacts.at(i).entry.isEmpty())
            standardOutput() << ToolTexts::skipped(int(i + 1)) << Qt::endl;
        else
            usable.append(reading.contacts.at(i));
    }

    RosterFile roster;
    QList<bool> occupied;
    if (options.apply) {
        const bool existed = QFileInfo::exists(rosterPath());
        // The lock first: while a Vedrin window has the roster, nothing is written, not even
        // the copy.
        if (const RosterFile::Status status = roster.open(); status != RosterFile::Status::Ok)
            return refuse(RosterFileTexts::openFailure(status, roster.errorString()));
        if (existed) {
            QFile::remove(rosterPath() + u".bak"_s);
            if (!QFile::copy(rosterPath(), rosterPath() + u".bak"_s))
                return refuse(ToolTexts::cannotBackUp());
        }
    }
    QString reason;
    if (const std::optional<RosterEntries> entries = readRosterEntries(rosterPath(), &reason)) {
        for (const ExchangeEntry &entry : entries->entries) {
            if (occupied.size() < entry.number)
                occupied.resize(entry.number, false);
            occupied[entry.number - 1] = true;
        }
    }

    int written = 0;
    const QList<ImportPlacement> placements =
        placeEntries(usable, occupied, options.replace, RosterFile::lastSlot);
    for (const ImportPlacement &placement : placements) {
        QTextStream &out = standardOutput();
        if (placement.slot == 0) {
            out << ToolTexts::noRoom(entryLabel(placement.entry)) << Qt::endl;
            continue;
        }
        out << ToolTexts::placed(placement.slot, entryLabel(placement.entry)) << Qt::endl;
        for (const QString &loss : placement.losses)
            out << u"    "_s << loss << Qt::endl;
        if (!options.apply)
            continue;
        if (roster.writeSlot(placement.slot, placement.record) != RosterFile::Status::Ok)
            return refuse(ToolTexts::cannotWriteRoster(roster.errorString()));
        ++written;
    }
    standardOutput() << (options.apply ? ToolTexts::written(written) : ToolTexts::dryRun())
                     << Qt::endl;
    return 0;
}
