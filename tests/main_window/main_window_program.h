#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "support/message_recorder.h"
#include "support/test_support.h"

// A started program in a fresh directory, with the settings and roster the case needs, driven
// through its widgets.
class Program final
{
public:
    explicit Program(const QByteArray &settings = "10,\"\"\r\n", const QByteArray &roster = {})
    {
        writeFileBytes(QStringLiteral("settei.ini"), settings);
        if (!roster.isNull())
            writeFileBytes(QStringLiteral("meibo.dat"), roster);
        window = windows.showMainWindow();
    }

    template <typename Widget>
    Widget *child(const QString &name) const
    {
        return window->findChild<Widget *>(name);
    }
    QLineEdit *edit(const QString &name) const { return child<QLineEdit>(name); }
    QListView *list() const { return child<QListView>(QStringLiteral("List1")); }
    QString line(int row) const { return list()->model()->index(row, 0).data().toString(); }
    QPlainTextEdit *memo() const { return child<QPlainTextEdit>(QStringLiteral("Memo")); }
    bool hasPicture() const
    {
        const QPixmap pixmap = child<QLabel>(QStringLiteral("Image1"))->pixmap();
        return !pixmap.isNull();
    }

    // QTest types ASCII only; other text arrives as an input method would commit it.
    void type(const QString &box, const QString &text) const
    {
        QLineEdit *target = edit(box);
        target->clear();
        target->setFocus();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(target, text);
        else
            target->insert(text);
    }
    void click(const QString &button) const
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    void choose(int row) const
    {
        const QModelIndex line = list()->model()->index(row, 0);
        list()->scrollTo(line);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(line).center());
    }
    void registerEntry(const QString &number, const QString &name) const
    {
        type(QStringLiteral("Text1"), number);
        type(QStringLiteral("Namae"), name);
        click(QStringLiteral("Command1"));
    }

    TestDirectory dir;
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows{state};
    MainWindow *window = nullptr;
};
