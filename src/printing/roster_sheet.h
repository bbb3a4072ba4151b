#pragma once

#include <QList>
#include <QString>

#include "printing/print_selection.h"

class QPagedPaintDevice;

// The printed roster (名簿): A4 upright, a table of 番号, 名前, よみ, 電話, メール and 住所.
struct RosterSheetOptions
{
    QString title;         // "<owner>のアドレス帳" as the frame shows it
    bool pictures = false; // a column with each entry's picture
};

// How many pages the entries take.
int rosterSheetPages(qsizetype entryCount, const RosterSheetOptions &options);

// The table, headed on every page with the title and numbered at its foot; at most maxPages
// when above 0.
void paintRosterSheet(QPagedPaintDevice &device, const QList<PrintEntry> &entries,
                      const RosterSheetOptions &options, int maxPages = 0);

bool writeRosterSheetPdf(const QString &path, const QList<PrintEntry> &entries,
                         const RosterSheetOptions &options, QString *reason);
