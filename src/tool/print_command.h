#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "printing/print_selection.h"
#include "printing/printing_settings.h"

class QCommandLineParser;
class QCoreApplication;

// vedrin-tool print: postcard addresses or the roster, from the roster of the current folder
// into a PDF file.
struct PrintOptions
{
    PrintKind kind = PrintKind::Postcards;
    QString output;
    PrintChoice choice;
    std::optional<Honorific> honorific; // insatsu.ini's when not given
};

// Laying out text needs a GUI application for its fonts, though it shows no window: print gets
// one on the offscreen platform, every other command the plain one.
std::unique_ptr<QCoreApplication> makeToolApplication(int &argc, char **argv);

void addPrintOptions(QCommandLineParser &parser);
// Nothing, with what is wrong, when the options make no sense.
std::optional<PrintOptions> printOptions(const QCommandLineParser &parser, QString *problem);
// 0 written, 1 refused or failed; warnings about postal codes on standard error do not fail it.
int printRoster(const PrintOptions &options);
