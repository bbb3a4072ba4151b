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

constexpr char testKey[] = "SOFTWARE\\VedrinChecks";

void setValue(HKEY key, const char *name, DWORD type, const void *data, DWORD size)
{
    const LONG result =
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    CHECK(result == ERROR_SUCCESS);
}

bool readValue(const char *keyPath, const char *name, std::u16string &text)
{
    return GetKeyValue(systemRegistry(), SystemInformation::localMachine, keyPath, name, text);
}

void checkKeyValues()
{
    HKEY key = nullptr;
    CHECK(RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key, nullptr)
          == ERROR_SUCCESS);
    setValue(key, "WithNul", REG_SZ, "C:\\Tools\\msinfo32.exe", 22);
    setValue(key, "WithoutNul", REG_SZ, "C:\\abc", 6);
    const std::string fits(1023, 'a');
    setValue(key, "Fits", REG_SZ, fits.c_str(), 1024);
    const std::string tooLong(1024, 'b');
    setValue(key, "TooLong", REG_SZ, tooLong.c_str(), 1025);
    const DWORD number = 0x12345678;
    setValue(key, "Number", REG_DWORD, &number, sizeof number);
    setValue(key, "Binary", REG_BINARY, "\x01\x02", 2);
    setValue(key, "Empty", REG_BINARY, nullptr, 0);
    RegCloseKey(key);

    std::u16string text = u"as passed";
    CHECK(readValue(testKey, "WithNul", text) && text == u"C:\\Tools\\msinfo32.exe");
    CHECK(readValue(testKey, "WithoutNul", text) && text == u"C:\\abc");
    CHECK(readValue(testKey, "Fits", text) && text == std::u16string(1023, u'a'));
    CHECK(readValue(testKey, "Number", text) && text == u"&h12345678");
    text = u"as passed";
    CHECK(readValue(testKey, "Binary", text) && text == u"as passed");

    text = u"as passed";
    CHECK(!readValue(testKey, "TooLong", text) && text.empty());
    text = u"as passed";
    CHECK(!readValue(testKey, "Missing", text) && text.empty());
    text = u"as passed";
    CHECK(!readValue("SOFTWARE\\VedrinChecks\\Missing", "PATH", text) && text.empty());

    bool raised = false;
    try {
        readValue(testKey, "Empty", text);
    } catch (const SystemInformation::EmptyValueError &) {
        raised = true;
    }
    CHECK(raised);
}

std::u16string decoded(const char *bytes, std::size_t size)
{
    return CodePage932::toUnicode(std::string_view(bytes, size));
}

void checkCodePage()
{
    CHECK(decoded("\x83\x65\x83\x58\x83\x67", 6) == u"テスト");
    CHECK(decoded("\x8E\x52\x93\x63", 4) == u"山田");
    CHECK(decoded("\xB1\xB2\xDE", 3) == u"ｱｲﾞ");
    CHECK(decoded("\x87\x40", 2) == u"①");
    CHECK(decoded("\x81\x60", 2) == u"\uFF5E");
    CHECK(decoded("\x01\x1F\x7F", 3) == u"\u0001\u001F\u007F");
    CHECK(decoded("C:\\a~b", 6) == u"C:\\a~b");
    CHECK(decoded("A\x83", 2) == u"A\uFFFD");
    CHECK(decoded("\x83\x20Z", 3) == u"\uFFFD Z");
    CHECK(decoded("\xF0\x40", 2) == u"\uE000");

    CHECK(CodePage932::fromUnicode(u"テスト") == "\x83\x65\x83\x58\x83\x67");
    CHECK(CodePage932::fromUnicode(u"ｱｲﾞ") == "\xB1\xB2\xDE");
    CHECK(CodePage932::fromUnicode(u"\u00E9\U0001F600") == "??");
    // The settings line of the worked example: 250 and テスト.
    CHECK(CodePage932::fromUnicode(u"250,\"テスト\"\r\n")
          == "250,\"\x83\x65\x83\x58\x83\x67\"\r\n");
    // A double-byte character that would straddle the field's end is left out whole.
    CHECK(CodePage932::fromUnicodeFitted(u"aテ", 2) == "a ");
    CHECK(CodePage932::fromUnicodeFitted(u"テスト", 4) == "\x83\x65\x83\x58");
}

std::string temporaryFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "vedrin-checks-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void createFile(const std::string &path, DWORD attributes)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    CHECK(file != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "MZ", 2, &written, nullptr);
    CloseHandle(file);
    if (attributes != FILE_ATTRIBUTE_NORMAL)
        CHECK(SetFileAttributesA(path.c_str(), attributes));
}

bool ordinary(const std::string &path)
{
    return isOrdinaryFile(CodePage932::toUnicode(path));
}

void checkFileExistence(const std::string &folder)
{
    createFile(folder + "\\MSINFO32.EXE", FILE_ATTRIBUTE_NORMAL);
    createFile(folder + "\\hidden.exe", FILE_ATTRIBUTE_HIDDEN);
    createFile(folder + "\\system.exe", FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA((folder + "\\folder").c_str(), nullptr);

    CHECK(ordinary(folder + "\\MSINFO32.EXE"));
    CHECK(ordinary(folder + "\\msinfo32.exe"));
    CHECK(!ordinary(folder + "\\hidden.exe"));
    CHECK(!ordinary(folder + "\\system.exe"));
    CHECK(!ordinary(folder + "\\folder"));
    CHECK(!ordinary(folder + "\\missing.exe"));
    CHECK(!ordinary(""));
}

// The start does not wait; the started copy leaves the marker a moment later.
bool markerAppears(const std::string &marker)
{
    for (int i = 0; i < 200; ++i) {
        if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    return false;
}

void checkProgramStart(const std::string &folder)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string marker = folder + "\\started";
    const std::string line = "\"" + std::string(self) + "\" --touch " + marker;
    CHECK(systemProgramStart().start(CodePage932::toUnicode(line)));
    CHECK(markerAppears(marker));

    CHECK(!systemProgramStart().start(u"C:\\nowhere\\msinfo32.exe"));
    CHECK(!systemProgramStart().start(u""));
}

std::wstring wide(const std::u16string &text)
{
    return std::wstring(text.begin(), text.end());
}

// A key, a value and a program named in the system's code page, which is not always 932: the
// "A" functions take and give that code page, and the roster's code page has no part in it.
void checkSystemCodePage(const std::string &folder, UINT codePage)
{
    CHECK(GetACP() == codePage);
    if (GetACP() != codePage)
        return;
    const bool japanese = codePage == 932;
    const std::u16string name = japanese ? u"ツール" : u"Café";
    const std::string nameBytes = japanese ? "\x83\x63\x81\x5B\x83\x8B" : "Caf\xE9";

    const std::u16string program =
        SystemCodePage::toUnicode(folder) + u"\\" + name + u".exe";
    HKEY key = nullptr;
    CHECK(RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(u"SOFTWARE\\VedrinChecks\\" + name).c_str(), 0,
                          nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
          == ERROR_SUCCESS);
    const std::wstring data = wide(program);
    CHECK(RegSetValueExW(key, wide(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE *>(data.c_str()),
                         DWORD((data.size() + 1) * sizeof(wchar_t)))
          == ERROR_SUCCESS);
    RegCloseKey(key);
    std::u16string text;
    CHECK(readValue(("SOFTWARE\\VedrinChecks\\" + nameBytes).c_str(), nameBytes.c_str(), text)
          && text == program);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    CHECK(CopyFileW(self, data.c_str(), FALSE));
    CHECK(isOrdinaryFile(program));
    const std::string marker = folder + "\\started-by-name";
    CHECK(systemProgramStart().start(program + u" --touch " + SystemCodePage::toUnicode(marker)));
    CHECK(markerAppears(marker));
}

void checkVersionResource()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(self, &handle);
    CHECK(size > 0);
    if (size == 0)
        return;
    std::string data(size, '\0');
    CHECK(GetFileVersionInfoA(self, 0, size, data.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    if (fixed) {
        // 1.2.0.4
        CHECK(fixed->dwFileVersionMS == 0x00010002 && fixed->dwFileVersionLS == 0x00000004);
        CHECK(fixed->dwProductVersionMS == 0x00010002 && fixed->dwProductVersionLS == 0x00000004);
    }
    for (const char *name : {"\\StringFileInfo\\041104B0\\FileVersion",
                             "\\StringFileInfo\\041104B0\\ProductVersion"}) {
        char *text = nullptr;
        CHECK(VerQueryValueA(data.data(), name, reinterpret_cast<void **>(&text), &length));
        CHECK(text && std::strcmp(text, "1.02.0004") == 0);
    }
}

} // namespace

int main(int argc, char **argv)
{
    // The copy that the program-start check runs.
    if (argc == 3 && std::strcmp(argv[1], "--touch") == 0) {
        createFile(argv[2], FILE_ATTRIBUTE_NORMAL);
        return 0;
    }

    const std::string folder = temporaryFolder();
    checkKeyValues();
    checkCodePage();
    checkFileExistence(folder);
    checkProgramStart(folder);
    checkSystemCodePage(folder, argc == 2 ? UINT(std::strtoul(argv[1], nullptr, 10)) : 0);
    checkVersionResource();
    std::printf("%s: %d failed\n", failures == 0 ? "PASS" : "FAIL", failures);
    return failures;
}
