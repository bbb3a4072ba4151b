#include "platform/registry.h"

#include <stdexcept>

#include <windows.h>

namespace {

using OpenKeyFunction = LONG(WINAPI *)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using QueryValueFunction = LONG(WINAPI *)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using CloseKeyFunction = LONG(WINAPI *)(HKEY);

// The functions are looked up by name when first needed, so the program starts on a system
// whose advapi32 lacks them and only the registry command fails.
class AdvapiRegistry final : public Registry
{
public:
    long openKey(std::uint32_t root, const std::string &keyPath, std::uint32_t options,
                 std::uint32_t access, Handle &key) override
    {
        bind();
        HKEY opened = nullptr;
        const LONG result =
            m_openKey(rootKey(root), keyPath.c_str(), options, static_cast<REGSAM>(access), &opened);
        key = reinterpret_cast<Handle>(opened);
        return result;
    }

    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                    unsigned char *data, std::uint32_t &size) override
    {
        bind();
        DWORD valueType = 0;
        DWORD valueSize = size;
        const LONG result = m_queryValue(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr,
                                         &valueType, data, &valueSize);
        type = valueType;
        size = valueSize;
        return result;
    }

    long closeKey(Handle key) override
    {
        bind();
        return m_closeKey(reinterpret_cast<HKEY>(key));
    }

private:
    // The predefined keys are sign-extended 32-bit values, as the Windows headers define them.
    static HKEY rootKey(std::uint32_t root)
    {
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    }

    void bind()
    {
        if (m_closeKey)
            return;
        HMODULE library = LoadLibraryA("advapi32");
        if (!library)
            throw std::runtime_error("advapi32 cannot be loaded");
        auto openKey = reinterpret_cast<OpenKeyFunction>(
            reinterpret_cast<void *>(GetProcAddress(library, "RegOpenKeyExA")));
        auto queryValue = reinterpret_cast<QueryValueFunction>(
            reinterpret_cast<void *>(GetProcAddress(library, "RegQueryValueExA")));
        auto closeKey = reinterpret_cast<CloseKeyFunction>(
            reinterpret_cast<void *>(GetProcAddress(library, "RegCloseKey")));
        if (!openKey || !queryValue || !closeKey)
            throw std::runtime_error("advapi32 lacks a registry function");
        m_openKey = openKey;
        m_queryValue = queryValue;
        m_closeKey = closeKey;
    }

    OpenKeyFunction m_openKey = nullptr;
    QueryValueFunction m_queryValue = nullptr;
    CloseKeyFunction m_closeKey = nullptr;
};

} // namespace

Registry &systemRegistry()
{
    static AdvapiRegistry registry;
    return registry;
}
