#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <cstdint>

#include "printing/print_selection.h"

// Japan Post's postal codes with the places they stand for, as Debian's skkdic-extra ships them
// (SKK-JISYO.zipcode, public domain). Optional: without it only the form of a code is checked.
class PostalCodeDirectory final
{
public:
    static QStringList installedFiles();

    // Reads every file that can be read; false when none could.
    bool load(const QStringList &files = installedFiles());
    bool isLoaded() const { return !m_places.isEmpty(); }
    // The places a code of seven ASCII digits stands for.
    QStringList places(const QString &digits) const;

private:
    QHash<QByteArray, QByteArray> m_places;
    // The dictionary's own encoding, EUC-JIS-2004; EUC-JP decodes every place name in it. Made
    // once: opening the converter costs more than decoding a place. Invalid where Qt lacks it.
    mutable QStringDecoder m_decode{"EUC-JP"};
};

// Why an entry's postcard may not arrive.
struct PostalCodeWarning
{
    enum class Kind { Missing, Malformed, NoAddress, Unknown, NotMatching };

    std::int32_t number = 0;
    QString name;
    Kind kind = Kind::Missing;
    QString expectedPlace; // for NotMatching: where the code leads
};

// The entries whose postal code is missing or malformed, who have no address, or, where the
// directory is loaded, whose code it does not know or whose address does not begin with a place
// the code stands for.
QList<PostalCodeWarning> checkPostalCodes(const QList<PrintEntry> &entries,
                                          const PostalCodeDirectory &directory);
