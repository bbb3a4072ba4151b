#pragma once

#include <cstdint>
#include <string>

// The system registry as the three "advapi32" functions see it: calls mirror RegOpenKeyExA,
// RegQueryValueExA and RegCloseKey, results are their error codes (0 for success).
// Plain C++ so that the Windows test program runs the same reading code.
class Registry
{
public:
    using Handle = std::uintptr_t;

    Registry() = default;
    virtual ~Registry() = default;
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    // root is a predefined key's 32-bit handle value, such as 0x80000002 for HKEY_LOCAL_MACHINE.
    virtual long openKey(std::uint32_t root, const std::string &keyPath, std::uint32_t options,
                         std::uint32_t access, Handle &key) = 0;
    // size is the buffer's size on the way in and the value's size in bytes on the way out.
    virtual long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                            unsigned char *data, std::uint32_t &size) = 0;
    virtual long closeKey(Handle key) = 0;
};

// The operating system's registry; where there is none, a stand-in (see registry_posix.cpp).
Registry &systemRegistry();
