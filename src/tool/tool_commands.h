#pragma once

#include <QString>

// The console tool's two commands, on the roster of the current folder. Each returns the exit
// status: 0 done, 1 refused or failed; what went wrong is on standard error.

enum class ExportFormat { VCard30, VCard40, VCard21, Csv };

struct ExportOptions
{
    ExportFormat format = ExportFormat::VCard30;
    bool photos = false;
    QString output; // empty: standard output
    QString outputDirectory; // set: one vCard file per card, named by its UID, instead
};

struct ImportOptions
{
    QString file;
    bool apply = false;
    bool replace = false;
};

int exportRoster(const ExportOptions &options);
int importContacts(const ImportOptions &options);
