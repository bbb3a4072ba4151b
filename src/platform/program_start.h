#pragma once

#include <string>

// Starts another program from a command line, its window shown normally with the focus, and
// returns at once without waiting for it. Plain C++ so that the Windows test program can use it.
class ProgramStart
{
public:
    ProgramStart() = default;
    virtual ~ProgramStart() = default;
    ProgramStart(const ProgramStart &) = delete;
    ProgramStart &operator=(const ProgramStart &) = delete;

    // The path in the command line is not quoted. False when the program could not be started.
    virtual bool start(const std::u16string &commandLine) = 0;
};

ProgramStart &systemProgramStart();
