// The settings reader on any file content: it never crashes, and a successful read's values
// write back and read again unchanged.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

#include "fuzz_check.h"
#include "settings/settings_file.h"
#include "settings/settings_values.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    static const bool entered = QDir::setCurrent(dir.path());
    require(entered);
    QFile file(QStringLiteral("settei.ini"));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    SettingsValues values;
    if (!ReadSettingsFile(values))
        return 0;
    // A name holding a double quote or a line end does not survive the one-line format.
    if (values.OwnerName.contains(u'"') || values.OwnerName.contains(u'\r')
        || values.OwnerName.contains(u'\n') || values.OwnerName.contains(u'\uFFFD'))
        return 0;
    require(WriteSettingsFile(values));
    SettingsValues again;
    require(ReadSettingsFile(again) && again.MaxEntries == values.MaxEntries);
    return 0;
}
