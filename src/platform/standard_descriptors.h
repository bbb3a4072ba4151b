#pragma once

// Called first thing in main: opens the null device on each of the standard input, output and
// error that the program was started without, so that the first file opened never takes the
// place of one and receives what is written to it.
void openMissingStandardDescriptors();

// The console tool writes UTF-8 bytes (vCard and CSV with their own CR LF): standard input,
// output and error pass them unchanged, where the C library would otherwise turn LF into CR LF,
// and a console window shows them as UTF-8 rather than in its own code page (Windows).
void useBinaryStandardStreams();
