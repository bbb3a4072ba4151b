// The settings reader on any file content: it never crashes, and a successful read's number
// writes back and reads again unchanged.
#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <fstream>

#include "fuzz_check.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    static const bool entered = QDir::setCurrent(dir.path());
    require(entered);
    std::ofstream("settei.ini", std::ios::binary)
        .write(reinterpret_cast<const char *>(data), std::streamsize(size));
    SettingsValues values;
    if (!ReadSettingsFile(values))
        return 0;
    require(WriteSettingsFile(values));
    SettingsValues again;
    require(ReadSettingsFile(again) && again.MaxEntries == values.MaxEntries);
    return 0;
}
