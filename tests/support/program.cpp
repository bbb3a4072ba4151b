#include "support/program.h"

#include <QAction>
#include <QGroupBox>
#include <QInputMethodEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

Program::Program(const QByteArray &settings, const QByteArray &roster)
    : m_previousSink(replaceMessageSink([this](QWidget *, const QString &text) {
          messages.append(text);
          if (onMessage)
              onMessage(text);
      }))
{
    if (!settings.isNull())
        writeFileBytes(u"settei.ini"_s, settings);
    if (!roster.isNull())
        writeFileBytes(u"meibo.dat"_s, roster);
}

QWidget *Program::control(const QString &name) const
{
    const QString window = name.section(u'/', -2, -2, QString::SectionSkipEmpty);
    for (QWidget *loaded : QWidgetList{windows.mainWindow(), windows.settingsDialog(),
                                       windows.pictureChooser(), windows.aboutBox(),
                                       windows.yomi()}) {
        if (loaded && loaded->objectName() == (window.isEmpty() ? u"Meibo"_s : window))
            return loaded->findChild<QWidget *>(name.section(u'/', -1));
    }
    return nullptr;
}

QString Program::text(const QString &name) const
{
    QWidget *shown = control(name);
    if (auto *memo = qobject_cast<QPlainTextEdit *>(shown))
        return memo->toPlainText();
    if (auto *frame = qobject_cast<QGroupBox *>(shown))
        return frame->title();
    return shown ? shown->property("text").toString() : QString();
}

QStringList Program::lines() const
{
    QStringList shown;
    const QAbstractItemModel *list = find<QListView>(u"List1"_s)->model();
    for (int row = 0; row < list->rowCount(); ++row)
        shown.append(list->index(row, 0).data().toString());
    return shown;
}

bool Program::type(const QString &box, const QString &text) const
{
    QWidget *target = control(box);
    if (!qobject_cast<QLineEdit *>(target) && !qobject_cast<QPlainTextEdit *>(target))
        return false;
    QMetaObject::invokeMethod(target, "clear");
    target->setFocus();
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        QTest::keyClicks(target, text);
        return true;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    return QCoreApplication::sendEvent(target, &commit);
}

bool Program::click(const QString &name) const
{
    if (auto *button = find<QPushButton>(name)) {
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    QWidget *main = windows.mainWindow();
    QAction *command = main ? main->findChild<QAction *>(name) : nullptr;
    if (command)
        command->trigger();
    return command;
}

bool Program::choose(int row) const
{
    auto *list = find<QListView>(u"List1"_s);
    const QModelIndex line = list ? list->model()->index(row, 0) : QModelIndex();
    if (!line.isValid())
        return false;
    list->scrollTo(line);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(line).center());
    return true;
}
