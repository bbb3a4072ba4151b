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

    bool isEmpty() const
    {
        return name.isEmpty() && mail.isEmpty() && tell.isEmpty() && memo.isEmpty()
               && picturePath.isEmpty();
    }
};
