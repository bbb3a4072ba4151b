#include "printing/postal_code_check.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include "platform/named_charset.h"
#include "platform/ordinary_file.h"
#include "platform/program_folder.h"
#include "printing/postal_address.h"

using namespace Qt::StringLiterals;

namespace {

// A whole number as kanji numerals with 十, 百 and 千, as the directory writes 北十条西.
QString kanjiNumber(int value)
{
    static constexpr QStringView digits = u"〇一二三四五六七八九";
    if (value <= 0 || value >= 10000)
        return QString::number(value);
    QString out;
    const int thousands = value / 1000, hundreds = value / 100 % 10, tens = value / 10 % 10,
              ones = value % 10;
    const auto place = [&](int count, QChar unit) {
        if (count > 1)
            out += digits.at(count);
        if (count > 0)
            out += unit;
    };
    place(thousands, u'千');
    place(hundreds, u'百');
    place(tens, u'十');
    if (ones > 0)
        out += digits.at(ones);
    return out;
}

// Without blanks, every run of digits as the directory writes numbers.
QString comparable(const QString &address)
{
    QString out;
    qsizetype i = 0;
    while (i < address.size()) {
        const QChar c = address.at(i);
        if (digitValue(c) >= 0) {
            int value = 0;
            while (i < address.size()) {
                const int next = digitValue(address.at(i));
                if (next < 0 || value > 1000)
                    break;
                value = value * 10 + next;
                ++i;
            }
            out += kanjiNumber(value);
            continue;
        }
        if (c != u' ' && c != u'　' && c != u'\t')
            out += c;
        ++i;
    }
    return out;
}

// The place and the shorter ways people write it: without the prefecture, without the county.
QStringList waysOfWriting(const QString &place)
{
    QStringList ways{place};
    QString rest = place;
    for (const QChar end : {u'都', u'道', u'府', u'県'}) {
        const qsizetype at = rest.indexOf(end);
        if (at >= 2 && at <= 3) {
            rest = rest.mid(at + 1);
            ways.append(rest);
            break;
        }
    }
    const qsizetype county = rest.indexOf(u'郡');
    if (county > 0)
        ways.append(rest.mid(county + 1));
    return ways;
}

// A directory line's places, each without its notes.
QStringList placesIn(const QString &text)
{
    QStringList places;
    for (const QString &candidate : text.split(u'/', Qt::SkipEmptyParts)) {
        const QString place = candidate.section(u';', 0, 0).trimmed();
        if (!place.isEmpty())
            places.append(place);
    }
    return places;
}

} // namespace

QStringList PostalCodeDirectory::installedFiles()
{
    const QDir folder(besideProgram(QStringLiteral(VEDRIN_POSTAL_CODE_FOLDER)));
    return {folder.filePath(u"SKK-JISYO.zipcode"_s), folder.filePath(u"SKK-JISYO.office.zipcode"_s)};
}

bool PostalCodeDirectory::load(const QStringList &files)
{
    m_places.clear();
    for (const QString &path : files) {
        QFile file(path);
        if (openOrdinaryFile(file, QIODevice::ReadOnly) != OrdinaryOpen::Opened)
            continue;
        const QByteArray bytes = file.readAll();
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            if (end < 0)
                end = bytes.size();
            // 1000001 /東京都千代田区千代田/
            const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
            start = end + 1;
            if (line.size() < 10 || line.at(7) != ' ' || line.at(8) != '/')
                continue;
            const QByteArrayView code = line.first(7);
            if (std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; }))
                m_places[code.toByteArray()] += line.sliced(9);
        }
    }
    return isLoaded();
}

QStringList PostalCodeDirectory::places(const QString &digits) const
{
    const auto found = m_places.constFind(digits.toLatin1());
    if (found == m_places.cend())
        return {};
    if (m_decode.isValid())
        return placesIn(m_decode(*found));
    // Qt has EUC-JP only with ICU, which the Windows build lacks: the system's converter then.
    const std::optional<std::u16string> decoded = NamedCharset::toUnicode(
        "EUC-JP", std::string_view(found->constData(), std::size_t(found->size())));
    return placesIn(decoded ? QString::fromStdU16String(*decoded) : QString());
}

QList<PostalCodeWarning> checkPostalCodes(const QList<PrintEntry> &entries,
                                          const PostalCodeDirectory &directory)
{
    QList<PostalCodeWarning> warnings;
    for (const PrintEntry &printed : entries) {
        const PostalAddress address = readPostalAddress(printed.entry.memo);
        PostalCodeWarning warning{printed.entry.number, printed.entry.name, {}, {}};
        if (address.code == PostalAddress::Code::Missing) {
            warning.kind = PostalCodeWarning::Kind::Missing;
        } else if (address.code == PostalAddress::Code::Malformed) {
            warning.kind = PostalCodeWarning::Kind::Malformed;
        } else if (address.columns.isEmpty()) {
            warning.kind = PostalCodeWarning::Kind::NoAddress;
        } else if (directory.isLoaded()) {
            const QStringList places = directory.places(address.digits);
            if (places.isEmpty()) {
                warning.kind = PostalCodeWarning::Kind::Unknown;
                warnings.append(warning);
                continue;
            }
            const QString written = comparable(address.columns.join(QString()));
            bool matches = false;
            for (const QString &place : places) {
                for (const QString &way : waysOfWriting(place))
                    matches = matches || written.startsWith(way);
            }
            if (matches)
                continue;
            warning.kind = PostalCodeWarning::Kind::NotMatching;
            warning.expectedPlace = places.value(0);
        } else {
            continue;
        }
        warnings.append(warning);
    }
    return warnings;
}
