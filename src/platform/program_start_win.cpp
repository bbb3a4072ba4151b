#include "platform/program_start.h"

#include <vector>

#include <windows.h>

#include "platform/system_code_page.h"

namespace {

class ProcessStart final : public ProgramStart
{
public:
    bool start(const std::u16string &commandLine) override
    {
        // CreateProcessA may write into the command line, so it gets a copy of its own.
        const std::string encoded = SystemCodePage::fromUnicode(commandLine);
        std::vector<char> line(encoded.begin(), encoded.end());
        line.push_back('\0');

        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

} // namespace

ProgramStart &systemProgramStart()
{
    static ProcessStart programStart;
    return programStart;
}
