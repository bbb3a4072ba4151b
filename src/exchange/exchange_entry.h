#pragma once

#include <QString>

#include <cstdint>

// One roster entry as it travels to and from other address books: the fields without their
// padding, line breaks of the memo as '\n'.
struct ExchangeEntry
{
    std::int32_t number = 0; // the roster number; 0 where the source names none
    QString name;
    QString mail;
    QString tell;
    QString memo;
    QString picturePath;
    // Kana, NFKC-normalised; empty where the source gives none. The roster has no place for them.
    QString familyReading;
    QString givenReading;
    QString uid; // the exported card's UID: a UUID without braces; empty where none

    bool isEmpty() const
    {
        return name.isEmpty() && mail.isEmpty() && tell.isEmpty() && memo.isEmpty()
               && picturePath.isEmpty();
    }
};

// Every line break as '\n': CR LF as the program stores it, or a lone CR or LF from elsewhere.
inline QString withLineFeeds(QString text)
{
    using namespace Qt::StringLiterals;
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

// A text on one line, as the memo takes an address: line breaks as blanks, none at either end.
inline QString asOneLine(const QString &text)
{
    return withLineFeeds(text).replace(u'\n', u' ').trimmed();
}
