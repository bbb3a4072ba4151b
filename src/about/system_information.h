#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class ProgramStart;
class Registry;

// Finding and starting the System Information tool through the registry. Plain C++, so that the
// Windows test program runs this very code against the real registry.
namespace SystemInformation {

inline constexpr std::uint32_t localMachine = 0x80000002;
// Read control and the six specific key rights.
inline constexpr std::uint32_t keyAccess = 0x2003F;
inline constexpr std::uint32_t textType = 1;
inline constexpr std::uint32_t numberType = 4;
inline constexpr std::uint32_t bufferSize = 1024;

inline constexpr char programKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char programValue[] = "PATH";
inline constexpr char folderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char folderValue[] = "MSINFO";
inline constexpr char16_t programInFolder[] = u"\\MSINFO32.EXE";

// Raised by GetKeyValue for a value that is present but holds no bytes at all.
class EmptyValueError final : public std::runtime_error
{
public:
    EmptyValueError() : std::runtime_error("registry value of size 0") {}
};

// The services the search needs; the program uses the system's, tests their own.
struct Services
{
    Registry &registry;
    ProgramStart &programStart;
};

Services systemServices();

} // namespace SystemInformation

// Reads one value. True when it was read: a text is decoded from the system's code page (see
// platform/system_code_page.h) without its terminating NUL, a 32-bit number becomes "&h" and its
// hexadecimal digits, and any other type leaves valueText as it was passed. False, with valueText
// emptied, when the key or the value is missing or the value does not fit the 1024-byte buffer.
// Throws EmptyValueError for a value of size 0, and whatever the registry itself throws.
bool GetKeyValue(Registry &registry, std::uint32_t root, const std::string &keyPath,
                 const std::string &valueName, std::u16string &valueText);

// The decisions of the System Information command: true when the tool was started, false for
// every failure, which the caller reports with its one message.
bool startSystemInformation(const SystemInformation::Services &services);
