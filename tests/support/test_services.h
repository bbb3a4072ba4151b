#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>

#include "platform/program_start.h"
#include "platform/registry.h"

// A registry of text values, set by each test, that answers as advapi32 does, ERROR_MORE_DATA
// included. It grants only read control and the six specific key rights, on HKEY_LOCAL_MACHINE.
class TestRegistry final : public Registry
{
public:
    // The bytes of each text value, by its key path and name: "SOFTWARE\\Key\\Name".
    QHash<QString, QByteArray> texts;
    // Keys opened and not yet closed.
    int openKeys = 0;

    long openKey(std::uint32_t root, const std::string &keyPath, std::uint32_t,
                 std::uint32_t access, Handle &key) override
    {
        m_opened.append(QString::fromStdString(keyPath) + u'\\');
        const auto inKey = [this](const QString &name) { return name.startsWith(m_opened.last()); };
        const bool found = root == 0x80000002 && access == 0x2003F
                           && std::any_of(texts.keyBegin(), texts.keyEnd(), inKey);
        key = found ? m_opened.size() : 0;
        openKeys += found ? 1 : 0;
        return found ? 0 : 2;
    }

    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                    unsigned char *data, std::uint32_t &size) override
    {
        const QString name = m_opened.value(qsizetype(key) - 1) + QString::fromStdString(valueName);
        if (key == 0 || !texts.contains(name))
            return 2;
        const std::uint32_t room = size;
        type = 1;
        size = static_cast<std::uint32_t>(texts[name].size());
        if (size > room)
            return 234;
        std::memcpy(data, texts[name].constData(), size);
        return 0;
    }

    long closeKey(Handle key) override { return --openKeys >= 0 && key != 0 ? 0 : 6; }

private:
    // Each opened key's path, its handle being its place here counted from 1.
    QStringList m_opened;
};

// Keeps every command line instead of starting it. An empty line fails, as it does for the
// system; any other succeeds unless the test says otherwise.
class ProgramStartRecorder final : public ProgramStart
{
public:
    QStringList commandLines;
    bool succeeds = true;

    bool start(const std::u16string &commandLine) override
    {
        commandLines.append(QString::fromStdU16String(commandLine));
        return succeeds && !commandLine.empty();
    }
};
