#pragma once

// Called first thing in main: opens the null device on each of the standard input, output and
// error that the program was started without, so that the first file opened never takes the
// place of one and receives what is written to it.
void openMissingStandardDescriptors();
