#include "platform/registry.h"

#include <QStandardPaths>
#include <QString>

#include <cstring>

#include "platform/system_code_page.h"

using namespace Qt::StringLiterals;

namespace {

constexpr long success = 0;
constexpr long fileNotFound = 2;
constexpr long invalidHandle = 6;
constexpr long moreData = 234;
constexpr std::uint32_t localMachine = 0x80000002;
constexpr std::uint32_t textType = 1;
constexpr Registry::Handle toolKey = 1;

// There is no registry here: the one value the program reads, the path of the System
// Information tool, is reported when a program of that kind is installed; every other key is
// missing.
class StandInRegistry final : public Registry
{
public:
    long openKey(std::uint32_t root, const std::string &keyPath, std::uint32_t, std::uint32_t,
                 Handle &key) override
    {
        key = 0;
        const QString path = QString::fromStdString(keyPath);
        if (root != localMachine
            || path.compare(u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, Qt::CaseInsensitive)
                   != 0
            || toolPath().empty())
            return fileNotFound;
        key = toolKey;
        return success;
    }

    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                    unsigned char *data, std::uint32_t &size) override
    {
        if (key != toolKey)
            return invalidHandle;
        if (QString::fromStdString(valueName).compare(u"PATH"_s, Qt::CaseInsensitive) != 0)
            return fileNotFound;
        const std::string value = toolPath();
        const std::uint32_t needed = static_cast<std::uint32_t>(value.size() + 1);
        type = textType;
        const std::uint32_t room = size;
        size = needed;
        if (needed > room)
            return moreData;
        std::memcpy(data, value.c_str(), needed);
        return success;
    }

    long closeKey(Handle key) override { return key == toolKey ? success : invalidHandle; }

private:
    static std::string toolPath()
    {
        for (const QString &name : {u"hardinfo"_s, u"hardinfo2"_s, u"kinfocenter"_s}) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty())
                return SystemCodePage::fromUnicode(found.toStdU16String());
        }
        return {};
    }
};

} // namespace

Registry &systemRegistry()
{
    static StandInRegistry registry;
    return registry;
}
