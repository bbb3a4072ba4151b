#pragma once

#include <QString>

#include <cstdint>

// The two program-wide settings.
struct SettingsValues
{
    std::int16_t MaxEntries = 0; // how many roster numbers the list shows
    QString OwnerName;           // titles the roster
};
