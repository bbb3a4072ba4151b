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

    WindowHolder() = default;
    explicit WindowHolder(Factory factory) : m_factory(std::move(factory)) {}
    ~WindowHolder() { delete m_window.data(); }
    WindowHolder(const WindowHolder &) = delete;
    WindowHolder &operator=(const WindowHolder &) = delete;

    void setFactory(Factory factory) { m_factory = std::move(factory); }

    bool isLoaded() const { return !m_window.isNull(); }
    Window *window() const { return m_window.data(); }

    Window *load()
    {
        if (m_window.isNull() && m_factory) {
            Window *window = m_factory();
            if (window)
                window->setAttribute(Qt::WA_DeleteOnClose);
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
            m_window.clear();
            window->hide();
            window->deleteLater();
        }
    }

private:
    Factory m_factory;
    QPointer<Window> m_window;
};
