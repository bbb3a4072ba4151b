#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <optional>

class ContactInput;
struct ReadContact;

// Starts with BEGIN:VCARD, blanks aside.
bool looksLikeVCard(QByteArrayView bytes);

// The cards of a vCard 2.1, 3.0 or 4.0 file, one at a time: folded lines, quoted-printable,
// CHARSET (2.1 without one is Shift-JIS unless the file is UTF-8), escapes as each version
// writes them. A value whose bytes are no text in its encoding is reported, not kept; the
// reading is taken from X-PHONETIC-*, else N's SORT-AS, else SOUND;X-IRMC-N, else SORT-STRING.
class VCardReader final
{
public:
    VCardReader(ContactInput &input, bool shiftJisFile);
    ~VCardReader();
    Q_DISABLE_COPY_MOVE(VCardReader)

    // The next card; false at the end of the file.
    bool next(ReadContact &contact);

private:
    class CardBuilder;

    // The next line without its line end, the one read ahead first; false at the end.
    bool physicalLine(QByteArray &line);

    ContactInput &m_input;
    bool m_shiftJisFile;
    std::optional<QByteArray> m_pending;
    std::unique_ptr<CardBuilder> m_card;
};
