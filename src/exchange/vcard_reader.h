#pragma once

#include <QByteArrayView>
#include <QList>

struct ReadContact;

// Starts with BEGIN:VCARD, blanks aside.
bool looksLikeVCard(QByteArrayView bytes);

// Every card of a vCard 2.1, 3.0 or 4.0 file: folded lines, quoted-printable, CHARSET (2.1
// without one is Shift-JIS unless the file is UTF-8), escapes as each version writes them. A
// value whose bytes are no text in its encoding is reported, not kept; the reading is taken
// from X-PHONETIC-*, else N's SORT-AS, else SOUND;X-IRMC-N, else SORT-STRING.
QList<ReadContact> readVCards(QByteArrayView bytes);
