#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// One window of the program: at most one exists; showing loads it when it is not loaded and
// otherwise brings it to the front; unloading discards it and the next show loads it afresh.
// Closing a window through its close box unloads it too.
template <typename Window>
class WindowHolder final
{
public:
    // The factory creates the window and runs its load handler; nullptr when loading failed.
    using Factory = std::function<Window *()>;
    // Runs once each time the window goes, unloaded or closed through its close box.
    using UnloadHandler = std::function<void()>;

    WindowHolder() = default;
    explicit WindowHolder(Factory factory) : m_factory(std::move(factory)) {}
    ~WindowHolder()
    {
        QObject::disconnect(m_closed);
        delete m_window.data();
    }
    WindowHolder(const WindowHolder &) = delete;
    WindowHolder &operator=(const WindowHolder &) = delete;

    void setFactory(Factory factory) { m_factory = std::move(factory); }
    void setUnloadHandler(UnloadHandler handler) { m_unloaded = std::move(handler); }

    bool isLoaded() const { return !m_window.isNull(); }
    Window *window() const { return m_window.data(); }

    Window *load()
    {
        if (m_window.isNull() && m_factory) {
            Window *window = m_factory();
            if (window) {
                window->setAttribute(Qt::WA_DeleteOnClose);
                // The close box deletes the window, which unloads it.
                m_closed = QObject::connect(window, &QObject::destroyed, [this] {
                    m_window.clear();
                    reportUnload();
                });
            }
            m_window = window;
        }
        return m_window.data();
    }

    Window *show()
    {
        Window *window = load();
        if (window) {
            window->show();
            window->raise();
            window->activateWindow();
        }
        return window;
    }

    // Discards the window without running its close handler. Deletion waits for the event loop,
    // so a window may unload itself from one of its own handlers.
    void unload()
    {
        if (Window *window = m_window.data()) {
            QObject::disconnect(m_closed);
            m_window.clear();
            window->hide();
            window->deleteLater();
            reportUnload();
        }
    }

private:
    void reportUnload()
    {
        if (m_unloaded)
            m_unloaded();
    }

    Factory m_factory;
    UnloadHandler m_unloaded;
    QPointer<Window> m_window;
    QMetaObject::Connection m_closed;
};
