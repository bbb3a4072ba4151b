#pragma once

// Called once at start: a write past the system's limit on file size then fails as on a full
// disk, with the program's own message, instead of ending the program on the spot.
void letFileSizeLimitFailWrites();
