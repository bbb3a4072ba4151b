#pragma once

#include <QString>

// Honorifics a postcard may end its name with.
enum class Honorific { Sama, Dono, Onchu };
QString honorificText(Honorific honorific);
// Nothing for any other text.
bool honorificFromText(const QString &text, Honorific *honorific);

// What the printing remembers between runs, in insatsu.ini beside settei.ini.
struct PrintingSettings
{
    QString senderPostalCode; // as the user typed it
    QString senderAddress;    // line breaks start the next column
    Honorific honorific = Honorific::Sama;
    bool drawBoxes = false;   // for blank cards without printed postal-code boxes
    bool pictures = false;    // the roster with each entry's picture
    double offsetXMillimetres = 0; // moves the whole postcard right
    double offsetYMillimetres = 0; // and down, for a printer that feeds off the mark
};

namespace PrintingSettingsFile {
QString fileName();
// Missing or unreadable keys keep their defaults; a missing file gives the defaults.
PrintingSettings read();
// The whole file replaced, or left as it was with the system's reason.
bool write(const PrintingSettings &settings, QString *reason = nullptr);
} // namespace PrintingSettingsFile
