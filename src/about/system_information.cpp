#include "about/system_information.h"

#include <algorithm>
#include <array>

#include "platform/file_existence.h"
#include "platform/program_start.h"
#include "platform/registry.h"
#include "platform/system_code_page.h"

namespace SystemInformation {

Services systemServices()
{
    return Services{systemRegistry(), systemProgramStart()};
}

} // namespace SystemInformation

namespace {

std::u16string hexadecimalText(const unsigned char *data, std::uint32_t size)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string text = u"&h";
    for (std::uint32_t i = size; i > 0; --i) {
        text += digits[data[i - 1] >> 4];
        text += digits[data[i - 1] & 0x0F];
    }
    return text;
}

// Closes the key on every way out, the thrown error included.
class OpenKey final
{
public:
    OpenKey(Registry &registry, Registry::Handle key) : m_registry(registry), m_key(key) {}
    ~OpenKey()
    {
        if (m_key != 0)
            m_registry.closeKey(m_key);
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    Registry &m_registry;
    Registry::Handle m_key;
};

} // namespace

bool GetKeyValue(Registry &registry, std::uint32_t root, const std::string &keyPath,
                 const std::string &valueName, std::u16string &valueText)
{
    using namespace SystemInformation;

    Registry::Handle key = 0;
    const long opened = registry.openKey(root, keyPath, 0, keyAccess, key);
    const OpenKey closer(registry, key);
    if (opened != 0) {
        valueText.clear();
        return false;
    }

    std::array<unsigned char, bufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = bufferSize;
    if (registry.queryValue(key, valueName, type, buffer.data(), size) != 0) {
        valueText.clear();
        return false;
    }
    if (size == 0)
        throw EmptyValueError();
    size = std::min(size, bufferSize);

    if (type == textType) {
        std::uint32_t length = size;
        if (buffer[length - 1] == 0)
            --length;
        valueText = SystemCodePage::toUnicode(
            std::string_view(reinterpret_cast<const char *>(buffer.data()), length));
    } else if (type == numberType) {
        valueText = hexadecimalText(buffer.data(), size);
    }
    return true;
}

bool startSystemInformation(const SystemInformation::Services &services)
{
    using namespace SystemInformation;
    try {
        std::u16string path;
        if (!GetKeyValue(services.registry, localMachine, programKey, programValue, path)) {
            if (!GetKeyValue(services.registry, localMachine, folderKey, folderValue, path))
                return false;
            path += programInFolder;
            if (!isOrdinaryFile(path))
                return false;
        }
        return services.programStart.start(path);
    } catch (...) {
        // One guard over every step: whatever fails ends in the same message.
        return false;
    }
}
