#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/message_box.h"

// A fresh, empty current directory for one test case; the previous one comes back afterwards.
class TestDirectory final
{
public:
    TestDirectory();
    ~TestDirectory();
    TestDirectory(const TestDirectory &) = delete;
    TestDirectory &operator=(const TestDirectory &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// Takes the place of the message box while it lives and keeps every text, in order.
class MessageRecorder final
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    const QStringList &texts() const { return m_texts; }
    void clear() { m_texts.clear(); }
    // Runs at every message, while the message would be on screen.
    void setOnMessage(std::function<void(const QString &)> onMessage)
    {
        m_onMessage = std::move(onMessage);
    }

private:
    QStringList m_texts;
    std::function<void(const QString &)> m_onMessage;
    MessageSink m_previous;
};

// A time limit in milliseconds for a normal build; sanitizer builds run several times slower.
constexpr int timeLimit(int milliseconds)
{
#if defined(__SANITIZE_ADDRESS__)
    return milliseconds * 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return milliseconds * 5;
#else
    return milliseconds;
#endif
#else
    return milliseconds;
#endif
}

QByteArray readFileBytes(const QString &name);
void writeFileBytes(const QString &name, const QByteArray &bytes);
// A small real PNG picture of the given colour.
QByteArray pngBytes(const QColor &colour, int width = 8, int height = 6);

// While it lives, file permissions apply to this process even when it runs as root: the
// effective user becomes nobody. The directory is opened to that user first, for writing too
// unless asked otherwise.
class WithoutPrivileges final
{
public:
    explicit WithoutPrivileges(const TestDirectory &dir, bool writableFolder = true);
    ~WithoutPrivileges();
    WithoutPrivileges(const WithoutPrivileges &) = delete;
    WithoutPrivileges &operator=(const WithoutPrivileges &) = delete;

private:
    QString m_path;
    bool m_wasRoot = false;
};

// A tmpfs of sixteen 4096-byte pages (the suite runs as root) that holds every TestDirectory
// made while it lives; fill() then takes all of its room, as a full disk would.
class SmallDisk final
{
public:
    SmallDisk();
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    void fill();

private:
    QTemporaryDir m_mountPoint;
    QByteArray m_previousTemp;
};
