#pragma once

#include <string>

// Whether the path names an existing ordinary file: a folder, or a file marked hidden or system,
// does not count. A backslash separates folders on every platform. Plain C++ for the Windows test
// program.
bool isOrdinaryFile(const std::u16string &path);
