#pragma once

#include <QString>

#include "readings/reading_list.h"

// The texts of readings that the window and the console tool show alike.
namespace ReadingTexts {
using namespace Qt::StringLiterals;

inline QString guessMark()
{
    return u"（推定）"_s;
}
// A reading as shown: a guess always carries its mark.
inline QString shown(const ReadingEntry &entry)
{
    return entry.kind == ReadingKind::Guessed ? entry.reading + guessMark() : entry.reading;
}
inline QString readingNotKept()
{
    return u"このよみは登録できません。長すぎるか、名前に改行があります。"_s;
}
inline QString cannotWriteReadings(const QString &reason)
{
    return u"よみのファイル yomi.txt に書き込めませんでした: %1"_s.arg(reason);
}
} // namespace ReadingTexts
