// Checks of the program's Win32 layer against the real system calls, run under Wine by the test
// command: registry reading, code page 932, the file-existence test, the program start and the
// version resource, and names in the system's code page, which the first argument gives.
// Prints each failed check and exits with the number of failures.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about/system_information.h"
#include "platform/code_page.h"
#include "platform/file_existence.h"
#include "platform/program_start.h"
#include "platform/registry.h"
#include "platform/system_code_page.h"

namespace {

int failures = 0;

void check(bool passed, const char *what, int line)
{
    if (!passed) {
        ++failures;
        std::printf("FAIL (line %d): %s\n", line, what);
    }
}

#define CHECK(condition) check((condition), #condition, __LINE__)

bool readValue(const std::string &keyPath, const char *name, std::u16string &text)
{
    text = u"as passed";
    return GetKeyValue(systemRegistry(), SystemInformation::localMachine, keyPath, name, text);
}

// Stores the value and reads it back as the program does.
bool storedReads(HKEY key, const char *name, DWORD type, const void *data, DWORD size,
                 std::u16string &text)
{
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    return readValue("SOFTWARE\\VedrinChecks", name, text);
}

void checkKeyValues()
{
    HKEY key = nullptr;
    CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VedrinChecks", 0, nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS);
    const DWORD number = 0x00AB12CD;
    std::u16string text;
    CHECK(storedReads(key, "WithNul", REG_SZ, "C:\\a.exe", 9, text) && text == u"C:\\a.exe");
    CHECK(storedReads(key, "WithoutNul", REG_SZ, "C:\\abc", 6, text) && text == u"C:\\abc");
    CHECK(storedReads(key, "NulOnly", REG_SZ, "", 1, text) && text.empty());
    CHECK(storedReads(key, "Fits", REG_SZ, std::string(1023, 'a').c_str(), 1024, text)
          && text == std::u16string(1023, u'a'));
    CHECK(storedReads(key, "Number", REG_DWORD, &number, 4, text) && text == u"&h00AB12CD");
    // Other types leave the text as passed; a failed reading empties it.
    CHECK(storedReads(key, "Binary", REG_BINARY, "\x01\x02", 2, text) && text == u"as passed");
    CHECK(storedReads(key, "Strings", REG_MULTI_SZ, "a\0b\0", 5, text) && text == u"as passed");
    CHECK(!storedReads(key, "TooLong", REG_SZ, std::string(1024, 'b').c_str(), 1025, text)
          && text.empty());
    CHECK(!readValue("SOFTWARE\\VedrinChecks", "Missing", text) && text.empty());
    CHECK(!readValue("SOFTWARE\\VedrinChecks\\Missing", "PATH", text) && text.empty());
    bool raised = false;
    try {
        storedReads(key, "Empty", REG_BINARY, nullptr, 0, text);
    } catch (const SystemInformation::EmptyValueError &) {
        raised = true;
    }
    CHECK(raised);
    RegCloseKey(key);
}

void checkCodePage()
{
    // Bytes and text both ways, then bytes that only decode.
    const std::pair<std::string_view, std::u16string_view> both[] = {
        {"\x83\x65\x83\x58\x83\x67", u"テスト"}, {"\xB1\xB2\xDE", u"ｱｲﾞ"}, {"\x87\x40", u"①"},
        {"\x81\x60", u"\uFF5E"}, {"\x01\x1F\x7F", u"\u0001\u001F\u007F"}, {"C:\\a~b", u"C:\\a~b"},
        {"250,\"\x83\x65\x83\x58\x83\x67\"\r\n", u"250,\"テスト\"\r\n"}};
    for (const auto &[bytes, text] : both)
        check(CodePage932::toUnicode(bytes) == text && CodePage932::fromUnicode(text) == bytes, bytes.data(),
              __LINE__);
    CHECK(CodePage932::toUnicode("A\x83") == u"A\uFFFD");
    CHECK(CodePage932::toUnicode("\x83\x20Z") == u"\uFFFD Z");
    CHECK(CodePage932::toUnicode("\xF0\x40") == u"\uE000");
    CHECK(CodePage932::fromUnicode(u"\u00E9\U0001F600") == "??");
    // A double-byte character that would straddle the field's end is left out whole.
    CHECK(CodePage932::fromUnicodeFitted(u"aテ", 2) == "a ");
    CHECK(CodePage932::fromUnicodeFitted(u"テスト", 4) == "\x83\x65\x83\x58");
}

void createFile(const std::string &path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    CloseHandle(file);
}

void checkFileExistence(const std::string &folder)
{
    createFile(folder + "\\MSINFO32.EXE");
    createFile(folder + "\\hidden.exe", FILE_ATTRIBUTE_HIDDEN);
    createFile(folder + "\\system.exe", FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA((folder + "\\folder").c_str(), nullptr);
    const std::pair<std::string, bool> paths[] = {
        {"\\MSINFO32.EXE", true}, {"\\msinfo32.exe", true}, {"\\hidden.exe", false},
        {"\\system.exe", false},  {"\\folder", false},      {"\\missing.exe", false}};
    for (const auto &[name, ordinary] : paths)
        check(isOrdinaryFile(CodePage932::toUnicode(folder + name)) == ordinary, name.c_str(), __LINE__);
    CHECK(!isOrdinaryFile(u""));
}

// The start does not wait; the started copy leaves the marker a moment later.
bool startLeavesMarker(const std::u16string &program, const std::string &marker)
{
    if (!systemProgramStart().start(program + u" --touch " + SystemCodePage::toUnicode(marker)))
        return false;
    for (int i = 0; i < 200 && GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A key, a value and a program named in the system's code page, which is not always 932: the
// "A" functions take and give that code page, and the roster's code page has no part in it.
void checkProgramStart(const std::string &folder, UINT codePage)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::u16string selfPath(self, self + std::wcslen(self));
    CHECK(startLeavesMarker(u"\"" + selfPath + u"\"", folder + "\\started"));
    CHECK(!systemProgramStart().start(u"C:\\nowhere\\msinfo32.exe"));
    CHECK(!systemProgramStart().start(u""));

    CHECK(GetACP() == codePage);
    const bool japanese = codePage == 932;
    const std::u16string name = japanese ? u"ツール" : u"Café";
    const std::string nameBytes = japanese ? "\x83\x63\x81\x5B\x83\x8B" : "Caf\xE9";
    const std::u16string program = SystemCodePage::toUnicode(folder) + u"\\" + name + u".exe";
    const std::wstring wideProgram(program.begin(), program.end());
    HKEY key = nullptr;
    const std::u16string keyPath = u"SOFTWARE\\VedrinChecks\\" + name;
    CHECK(RegCreateKeyExW(HKEY_LOCAL_MACHINE, std::wstring(keyPath.begin(), keyPath.end()).c_str(),
                          0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS);
    CHECK(RegSetValueExW(key, std::wstring(name.begin(), name.end()).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE *>(wideProgram.c_str()),
                         DWORD((wideProgram.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS);
    RegCloseKey(key);
    std::u16string text;
    CHECK(readValue("SOFTWARE\\VedrinChecks\\" + nameBytes, nameBytes.c_str(), text)
          && text == program);
    CHECK(CopyFileW(self, wideProgram.c_str(), FALSE));
    CHECK(isOrdinaryFile(program));
    CHECK(startLeavesMarker(program, folder + "\\started-by-name"));
}

void checkVersionResource()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string data(GetFileVersionInfoSizeA(self, nullptr), '\0');
    CHECK(!data.empty() && GetFileVersionInfoA(self, 0, DWORD(data.size()), data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    // 1.2.0.4
    CHECK(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length) && fixed
          && fixed->dwFileVersionMS == 0x00010002 && fixed->dwFileVersionLS == 0x00000004
          && fixed->dwProductVersionMS == 0x00010002 && fixed->dwProductVersionLS == 0x00000004);
    for (const char *name : {"\\StringFileInfo\\041104B0\\FileVersion",
                             "\\StringFileInfo\\041104B0\\ProductVersion"}) {
        char *text = nullptr;
        CHECK(VerQueryValueA(data.data(), name, reinterpret_cast<void **>(&text), &length)
              && text && std::strcmp(text, "1.02.0004") == 0);
    }
}

} // namespace

int main(int argc, char **argv)
{
    // The copy that the program-start check runs.
    if (argc == 3 && std::strcmp(argv[1], "--touch") == 0) {
        createFile(argv[2]);
        return 0;
    }
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    const std::string folder =
        base + std::string("vedrin-checks-") + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    checkKeyValues();
    checkCodePage();
    checkFileExistence(folder);
    checkProgramStart(folder, argc == 2 ? UINT(std::strtoul(argv[1], nullptr, 10)) : 0);
    checkVersionResource();
    std::printf("%s: %d failed\n", failures == 0 ? "PASS" : "FAIL", failures);
    return failures;
}
