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
} // namespace ReadingTexts
