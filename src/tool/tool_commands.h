#pragma once

#include <QString>

// The console tool's commands, on the roster of the current folder. Each returns the exit
// status: 0 done, 1 refused or failed; what went wrong is on standard error.

enum class ExportFormat { VCard30, VCard40, VCard21, Csv };

struct ExportOptions
{
    ExportFormat format = ExportFormat::VCard30;
    bool photos = false;
    QString output; // empty: standard output
    QString outputDirectory; // set: one vCard file per card, named by its UID, instead
    bool guessedReadings = false; // guesses go out where no reading is confirmed
};

struct ImportOptions
{
    QString file;
    bool apply = false;
    bool replace = false;
};

struct RestoreOptions
{
    QString backup;
    bool apply = false;
};

int exportRoster(const ExportOptions &options);
int importContacts(const ImportOptions &options);
// Puts a backup of the roster back in its place, after backing up the roster as it is.
int restoreRoster(const RestoreOptions &options);
