#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>

// How a slot is listed: its number right-aligned in three characters, a colon, two spaces and
// the name field with its padding, as "  7:  Yamada" followed by the rest of the field's blanks.
// slotBytes are the slot's stored bytes, which may come short.
QString rosterLine(std::int32_t slot, QByteArrayView slotBytes);
