#pragma once

#include <QByteArray>
#include <QString>

struct ExchangeEntry;

enum class VCardVersion { V21, V30, V40 };

// A picture's file as it is embedded: its bytes and its format's name ("JPEG", "PNG", ...).
struct EmbeddedPhoto
{
    QByteArray bytes;
    QByteArray format;
};

// One card, CR LF line ends: 3.0 and 4.0 in UTF-8 with lines folded at 75 octets; 2.1 in
// Shift-JIS with quoted-printable where a value holds line breaks, as Japanese phones write it.
QByteArray vCard(const ExchangeEntry &entry, VCardVersion version, const EmbeddedPhoto &photo = {});

// The name's family and given parts: split at its one space (half- or full-width), else the
// whole name as the family name.
struct NameParts
{
    QString family;
    QString given;
};
NameParts splitName(const QString &name);
