#pragma once

#include <QList>
#include <QPageSize>
#include <QString>

#include "printing/print_selection.h"
#include "printing/printing_settings.h"

class QPagedPaintDevice;

// What every postcard of a print run shares.
struct PostcardOptions
{
    PrintingSettings settings; // honorific, boxes, printer offset, the sender's code and address
    QString senderName;        // the owner's name
};

// The standard postcard, 100 × 148 mm, upright.
QPageSize postcardPageSize();

// The entries that get a postcard: those with a name or an address.
QList<PrintEntry> postcardEntries(const QList<PrintEntry> &entries);

// The address side of one postcard per entry, one to a page; at most maxPages when above 0.
void paintPostcards(QPagedPaintDevice &device, const QList<PrintEntry> &entries,
                    const PostcardOptions &options, int maxPages = 0);

bool writePostcardsPdf(const QString &path, const QList<PrintEntry> &entries,
                       const PostcardOptions &options, QString *reason);
