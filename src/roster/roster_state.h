#pragma once

#include "roster/meibo_record.h"
#include "roster/roster_file.h"

// The roster store's program-wide part: the one current entry and the one roster file handle.
struct RosterState
{
    MeiboRecord CurrentEntry;
    RosterFile file;
};
