#pragma once

// Window tests include this alone: it brings the windows and the controls they are made of.
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

#include "about/about_box.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "picture_chooser/picture_chooser_window.h"
#include "readings/yomi.h"
#include "settings/settings_dialog.h"
#include "support/test_services.h"
#include "support/test_support.h"
#include "widgets/message_box.h"

// A program in a fresh directory holding the given settei.ini and meibo.dat (none when null),
// driven through its controls. A control is named by its object name in the main window, or as
// "Window/Control" in another loaded window (Settei, Form1, frmAbout, Yomi). An action returns false
// when its control is not there.
class Program final
{
public:
    explicit Program(const QByteArray &settings = "10,\"\"\r\n", const QByteArray &roster = {});
    ~Program() { replaceMessageSink(std::move(m_previousSink)); }
    // The main window shown, or nullptr when its start-up failed.
    MainWindow *start() { return windows.showMainWindow(); }

    template <typename Widget = QWidget>
    Widget *find(const QString &name) const
    {
        return qobject_cast<Widget *>(control(name));
    }
    // What a box, label or frame shows.
    QString text(const QString &name) const;
    // The main window's list, line by line.
    QStringList lines() const;

    // Empties the box and types: ASCII by keys, the rest as an input method commits it.
    [[nodiscard]] bool type(const QString &box, const QString &text) const;
    // Clicks a button or triggers a menu command.
    [[nodiscard]] bool click(const QString &name) const;
    // Clicks a line of the main window's list.
    [[nodiscard]] bool choose(int row) const;
    [[nodiscard]] bool registerEntry(const QString &number, const QString &name) const
    {
        return type(QStringLiteral("Text1"), number) && type(QStringLiteral("Namae"), name)
               && click(QStringLiteral("Command1"));
    }

    TestDirectory dir;
    // Every message the program showed, in order; onMessage runs while one would be on screen.
    QStringList messages;
    std::function<void(const QString &)> onMessage;
    TestRegistry registry;
    ProgramStartRecorder starter;
    ProgramState state;
    ProgramWindows windows{state, {registry, starter}};

private:
    QWidget *control(const QString &name) const;
    MessageSink m_previousSink;
};
