#pragma once

#include "picture_chooser/picture_hand_over.h"
#include "roster/roster_state.h"
#include "settings/settings_values.h"

// Every value that lives for the whole run, outside the windows. main creates one; each test
// creates its own, so that every case starts from a fresh program.
struct ProgramState
{
    RosterState roster;
    SettingsValues settings;
    PictureHandOver picture;
};
