#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstring>
#include <utility>

#include "about/system_information.h"
#include "platform/program_start.h"
#include "platform/registry.h"

// A registry whose keys, value types and bytes each test sets; it answers as advapi32 does,
// including ERROR_MORE_DATA for a value that does not fit the caller's buffer.
class TestRegistry final : public Registry
{
public:
    void setValue(const QString &keyPath, const QString &name, std::uint32_t type,
                  const QByteArray &bytes)
    {
        m_keys[keyPath.toLower()][name.toLower()] = {type, bytes};
    }
    // The key exists but opening it with the requested rights is refused.
    void denyKey(const QString &keyPath) { m_denied.append(keyPath.toLower()); }

    // Every key path passed to an open, in order.
    const QStringList &openedPaths() const { return m_openedPaths; }
    int openKeyCount() const { return m_open.size(); }
    QList<std::uint32_t> roots;
    QList<std::uint32_t> accessMasks;

    long openKey(std::uint32_t root, const std::string &keyPath, std::uint32_t,
                 std::uint32_t access, Handle &key) override
    {
        const QString path = QString::fromStdString(keyPath).toLower();
        m_openedPaths.append(QString::fromStdString(keyPath));
        roots.append(root);
        accessMasks.append(access);
        key = 0;
        if (m_denied.contains(path))
            return 5;
        if (root != 0x80000002 || !m_keys.contains(path))
            return 2;
        key = m_nextHandle++;
        m_open.insert(key, path);
        return 0;
    }

    long queryValue(Handle key, const std::string &valueName, std::uint32_t &type,
                    unsigned char *data, std::uint32_t &size) override
    {
        if (!m_open.contains(key))
            return 6;
        const auto &values = m_keys[m_open.value(key)];
        const auto found = values.find(QString::fromStdString(valueName).toLower());
        if (found == values.end())
            return 2;
        const std::uint32_t room = size;
        type = found->first;
        size = static_cast<std::uint32_t>(found->second.size());
        if (size > room)
            return 234;
        std::memcpy(data, found->second.constData(), size);
        return 0;
    }

    long closeKey(Handle key) override { return m_open.remove(key) == 1 ? 0 : 6; }

private:
    // Per key, per value name: its type and bytes.
    QHash<QString, QHash<QString, std::pair<std::uint32_t, QByteArray>>> m_keys;
    QStringList m_denied;
    QStringList m_openedPaths;
    QHash<Handle, QString> m_open;
    Handle m_nextHandle = 0x100;
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
