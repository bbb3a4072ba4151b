#include <QTest>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "main_window/main_window.h"
#include "picture_chooser/folder_list_box.h"
#include "picture_chooser/picture_chooser_window.h"
#include "picture_chooser/picture_path.h"
#include "platform/drives.h"
#include "support/message_recorder.h"
#include "support/test_support.h"

using namespace Qt::StringLiterals;

namespace {

const QString notAPicture481 = u"画像ファイルでないかサポートしていない拡張子です。  (481)"_s;
const QString nothingSelected = u"画像ファイルが選択されていません。"_s;

// The program started in a fresh directory holding a small picture tree:
// a.png (red), b.jpg (blue), notes.txt, .hidden.png and sub/ with c.png and bad.txt.
class Program final
{
public:
    Program()
    {
        writeFileBytes(u"settei.ini"_s, "10,\"\"\r\n");
        writeFileBytes(u"a.png"_s, pngBytes(Qt::red));
        QImage blue(8, 6, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        blue.save(u"b.jpg"_s, "JPG");
        writeFileBytes(u"notes.txt"_s, "not a picture\n");
        writeFileBytes(u".hidden.png"_s, pngBytes(Qt::green));
        QDir().mkdir(u"sub"_s);
        writeFileBytes(u"sub/c.png"_s, pngBytes(Qt::yellow, 4, 4));
        writeFileBytes(u"sub/bad.txt"_s, "text");
        main = windows.showMainWindow();
    }

    PictureChooserWindow *openChooser()
    {
        main->findChild<QPushButton *>(u"Command3"_s)->click();
        return windows.pictureChooser();
    }

    template <typename Widget>
    Widget *chooserChild(const QString &name) const
    {
        return windows.pictureChooser()->findChild<Widget *>(name);
    }
    QListWidget *files() const { return chooserChild<QListWidget>(u"File1"_s); }
    FolderListBox *folders() const { return chooserChild<FolderListBox>(u"Dir1"_s); }
    QString status() const { return chooserChild<QLabel>(u"hantei"_s)->text(); }
    QImage preview() const { return chooserChild<QLabel>(u"Image1"_s)->pixmap().toImage(); }

    void clickFile(const QString &name) const
    {
        const QList<QListWidgetItem *> found = files()->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        // Near the line's start: a long name's line reaches past the box.
        const QRect line = files()->visualItemRect(found.first());
        QTest::mouseClick(files()->viewport(), Qt::LeftButton, {},
                          QPoint(line.left() + 4, line.center().y()));
    }
    void doubleClickFolder(const QString &name) const
    {
        const QList<QListWidgetItem *> found = folders()->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QPoint at = folders()->visualItemRect(found.first()).center();
        // As the system delivers it: a click, then the second press as a double-click.
        QTest::mouseClick(folders()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(folders()->viewport(), Qt::LeftButton, {}, at);
    }
    void select() const { chooserChild<QPushButton>(u"Command1"_s)->click(); }
    void cancel() const { chooserChild<QPushButton>(u"Command2"_s)->click(); }

    QString native(const QString &name) const
    {
        // The chooser starts in the current folder as the system reports it, links resolved.
        return QDir::toNativeSeparators(QDir(dir.path()).canonicalPath() + u'/' + name);
    }
    QImage mainPicture() const
    {
        return windows.mainWindow()->findChild<QLabel *>(u"Image1"_s)->pixmap().toImage();
    }
    static QRgb colourOf(const QImage &image) { return image.isNull() ? 0 : image.pixel(0, 0); }

    TestDirectory dir;
    MessageRecorder messages;
    ProgramState state;
    ProgramWindows windows{state};
    MainWindow *main = nullptr;
};

} // namespace

class TestPictureChooser : public QObject
{
    Q_OBJECT

private slots:
    void opensOnCurrentFolderWithOrdinaryFilesOnly();
    void previewAndHandOverIntoRegisteredEntry();
    void notAPictureKeepsPreviewAndName();
    void selectWithNothingPreviewed();
    void pathsTheRosterCannotKeep_data();
    void pathsTheRosterCannotKeep();
    void pictureThatNeverLoads();
    void handOverSurvivesCancelAndReopen();
    void refillAndEntryDisplayEmptyTheHandOver();
    void failingClickInAnotherFolderKeepsNameButIsNotHandedOver();
    void handOverIntoMainWindowUnloadedBySettings();
    void unreadableDriveLeavesFoldersAsTheyWere();
    void rootFolderPaths();
    void startFolderOfDrive_data();
    void startFolderOfDrive();
};

void TestPictureChooser::opensOnCurrentFolderWithOrdinaryFilesOnly()
{
    Program program;
    PictureChooserWindow *chooser = program.openChooser();
    QVERIFY(chooser && chooser->isVisible());
    QCOMPARE(chooser->windowTitle(), u"画像の選択"_s);
    QCOMPARE(chooser->minimumSize(), QSize(321, 276));
    QCOMPARE(chooser->maximumSize(), QSize(321, 276));
    QCOMPARE(program.folders()->folder(), QDir(program.dir.path()).canonicalPath());
    QCOMPARE(program.folders()->currentItem()->text(), QDir(program.dir.path()).dirName());

    QStringList names;
    for (int row = 0; row < program.files()->count(); ++row)
        names << program.files()->item(row)->text();
    QCOMPARE(names, (QStringList{u"a.png"_s, u"b.jpg"_s, u"meibo.dat"_s, u"notes.txt"_s,
                                 u"settei.ini"_s}));
    QVERIFY(program.files()->selectedItems().isEmpty());
    QVERIFY(!program.folders()->findItems(u"sub"_s, Qt::MatchExactly).isEmpty());
    QVERIFY(program.preview().isNull());
    QVERIFY(program.status().isEmpty());

    QVERIFY(QTest::qWaitForWindowActive(chooser));
    QCOMPARE(QApplication::focusWidget(), program.files());
    const QCursor cursor = program.chooserChild<QPushButton>(u"Command1"_s)->cursor();
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
    for (const QString &name : {u"Drive1"_s, u"Dir1"_s, u"File1"_s})
        QCOMPARE(program.chooserChild<QWidget>(name)->cursor().pixmap().cacheKey(),
                 cursor.pixmap().cacheKey());

    // "picture" again brings the same chooser to the front.
    QCOMPARE(program.openChooser(), chooser);
}

void TestPictureChooser::previewAndHandOverIntoRegisteredEntry()
{
    Program program;
    program.openChooser();
    program.clickFile(u"b.jpg"_s);
    // Decoded at the size of the box inside its frame, as it is shown.
    QCOMPARE(program.preview().size(), QSize(103, 87));
    program.clickFile(u"a.png"_s);
    QCOMPARE(program.colourOf(program.preview()), QColor(Qt::red).rgb());
    QCOMPARE(program.state.picture.PictureFolder,
             QDir::toNativeSeparators(QDir(program.dir.path()).canonicalPath()));
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);
    QVERIFY(program.messages.texts().isEmpty());

    QPointer<PictureChooserWindow> chooser = program.windows.pictureChooser();
    program.select();
    QCOMPARE(program.state.picture.CurrentPicturePath, program.native(u"a.png"_s));
    QCOMPARE(program.colourOf(program.mainPicture()), QColor(Qt::red).rgb());
    QCOMPARE(program.mainPicture().size(), QSize(131, 112));
    QVERIFY(!program.windows.pictureChooser());
    QTRY_VERIFY(chooser.isNull());

    program.main->findChild<QLineEdit *>(u"Text1"_s)->setText(u"2"_s);
    program.main->findChild<QLineEdit *>(u"Namae"_s)->setText(u"Hanako"_s);
    program.main->findChild<QPushButton *>(u"Command1"_s)->click();
    const QByteArray path = QFile::encodeName(program.native(u"a.png"_s));
    const QByteArray slot = readFileBytes(u"meibo.dat"_s).mid(436 + 180, 256);
    QCOMPARE(slot, path + QByteArray(256 - path.size(), ' '));
}

void TestPictureChooser::notAPictureKeepsPreviewAndName()
{
    Program program;
    program.openChooser();
    program.clickFile(u"a.png"_s);
    program.clickFile(u"notes.txt"_s);
    QCOMPARE(program.messages.texts(), QStringList{notAPicture481});
    QCOMPARE(program.status(), u"画像を指定してね"_s);
    // A screen reader hears the status line's message.
    QAccessibleInterface *status =
        QAccessible::queryAccessibleInterface(program.chooserChild<QLabel>(u"hantei"_s));
    QCOMPARE(status->text(QAccessible::Name), u"画像を指定してね"_s);
    QCOMPARE(status->text(QAccessible::Description), u"状態"_s);
    QCOMPARE(program.colourOf(program.preview()), QColor(Qt::red).rgb());
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);

    // A later good preview leaves the failure text as it is.
    program.clickFile(u"b.jpg"_s);
    QCOMPARE(program.status(), u"画像を指定してね"_s);
    QCOMPARE(program.state.picture.PictureFileName, u"b.jpg"_s);

    // Arrow keys move the selection and preview like clicks.
    QTest::keyClick(program.files(), Qt::Key_Down);
    QCOMPARE(program.files()->currentItem()->text(), u"meibo.dat"_s);
    QCOMPARE(program.messages.texts().size(), 2);
    QCOMPARE(program.messages.texts().last(), notAPicture481);
}

void TestPictureChooser::selectWithNothingPreviewed()
{
    Program program;
    program.openChooser();
    program.select();
    QCOMPARE(program.messages.texts(), QStringList{nothingSelected});
    QCOMPARE(program.status(), u"失敗"_s);
    QVERIFY(program.windows.pictureChooser()->isVisible());

    // A failing click sets the folder but no name: still nothing to hand over.
    program.clickFile(u"notes.txt"_s);
    program.messages.clear();
    program.select();
    QCOMPARE(program.messages.texts(), QStringList{nothingSelected});
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    QVERIFY(program.windows.pictureChooser());
}

void TestPictureChooser::pathsTheRosterCannotKeep_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("pathBytes"); // 0: the file is photo.png
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("256 bytes in Shift-JIS") << u"写真"_s << 256 << true;
    QTest::newRow("257 bytes in Shift-JIS") << u"写真"_s << 257 << false;
    QTest::newRow("letter without a Shift-JIS form") << u"Été 2023"_s << 0 << false;
    QTest::newRow("question mark") << u"why?"_s << 0 << true;
}

void TestPictureChooser::pathsTheRosterCannotKeep()
{
    QFETCH(QString, folder);
    QFETCH(int, pathBytes);
    QFETCH(bool, handedOver);
    Program program;
    QString name = u"photo.png"_s;
    if (pathBytes > 0) {
        // The four kanji of the path take two bytes each in Shift-JIS, three in UTF-8.
        const qsizetype fixedBytes = program.native(folder + u"/写真.png"_s).size() + 4;
        name = u"写真"_s + QString(pathBytes - fixedBytes, u'a') + u".png"_s;
    }
    QVERIFY(QDir().mkdir(folder));
    writeFileBytes(folder + u'/' + name, pngBytes(Qt::green));
    program.openChooser();
    program.doubleClickFolder(folder);
    program.clickFile(name);
    program.state.picture.CurrentPicturePath = u"/kept.png"_s;

    program.select();
    if (handedOver) {
        QCOMPARE(program.state.picture.CurrentPicturePath, program.native(folder + u'/' + name));
        QVERIFY(!program.windows.pictureChooser());
        return;
    }
    QCOMPARE(program.messages.texts(),
             QStringList{u"この画像は登録できません。場所の名前にShift-JISで表せない文字があるか、"
                         u"256バイトを超えています。"_s});
    QCOMPARE(program.status(), u"失敗"_s);
    QCOMPARE(program.state.picture.CurrentPicturePath, u"/kept.png"_s);
    QVERIFY(program.windows.pictureChooser());
}

void TestPictureChooser::pictureThatNeverLoads()
{
    Program program;
    LeasedFile held(u"a.png"_s);
    QVERIFY(held.isHeld());
    program.openChooser();
    QElapsedTimer timer;
    timer.start();
    program.clickFile(u"a.png"_s);
    QCOMPARE(program.messages.texts(),
             QStringList{u"画像ファイルでないかサポートしていない拡張子です。  (286)"_s});
    QCOMPARE(program.status(), u"画像を指定してね"_s);
    QVERIFY(program.state.picture.PictureFileName.isEmpty());
    // The chooser goes on, long before the file is let go.
    program.clickFile(u"b.jpg"_s);
    QCOMPARE(program.state.picture.PictureFileName, u"b.jpg"_s);
    QVERIFY(timer.elapsed() < 30000);
}

void TestPictureChooser::handOverSurvivesCancelAndReopen()
{
    Program program;
    program.openChooser();
    program.clickFile(u"a.png"_s);
    program.cancel();
    QVERIFY(!program.windows.pictureChooser());
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    QVERIFY(program.mainPicture().isNull());

    // A fresh chooser starts empty but the hand-over texts survived.
    program.openChooser();
    QVERIFY(program.preview().isNull());
    program.select();
    QVERIFY(program.messages.texts().isEmpty());
    QCOMPARE(program.state.picture.CurrentPicturePath, program.native(u"a.png"_s));
    QVERIFY(!program.windows.pictureChooser());
}

void TestPictureChooser::refillAndEntryDisplayEmptyTheHandOver()
{
    Program program;
    program.openChooser();
    program.clickFile(u"a.png"_s);
    // Showing an entry in the main window, with the chooser left open.
    auto *list = program.main->findChild<QListView *>(u"List1"_s);
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(program.state.picture.PictureFolder.isEmpty());
    QVERIFY(program.state.picture.PictureFileName.isEmpty());
    program.select();
    QCOMPARE(program.messages.texts(), QStringList{nothingSelected});

    // A click on the file still highlighted takes it again.
    program.clickFile(u"a.png"_s);
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);

    // A register refills the list, which empties them again.
    program.main->findChild<QLineEdit *>(u"Text1"_s)->setText(u"1"_s);
    program.main->findChild<QLineEdit *>(u"Namae"_s)->setText(u"Taro"_s);
    program.main->findChild<QPushButton *>(u"Command1"_s)->click();
    QVERIFY(program.state.picture.PictureFolder.isEmpty());
    QVERIFY(program.state.picture.PictureFileName.isEmpty());
    program.clickFile(u"a.png"_s);
    program.select();
    QCOMPARE(program.messages.texts().size(), 1);
    QCOMPARE(program.state.picture.CurrentPicturePath, program.native(u"a.png"_s));
}

void TestPictureChooser::failingClickInAnotherFolderKeepsNameButIsNotHandedOver()
{
    Program program;
    program.openChooser();
    program.clickFile(u"a.png"_s);
    program.select();
    const QString handedOver = program.native(u"a.png"_s);
    QCOMPARE(program.state.picture.CurrentPicturePath, handedOver);

    program.openChooser();
    program.doubleClickFolder(u"sub"_s);
    QCOMPARE(program.folders()->folder(), QDir(program.dir.path()).canonicalPath() + u"/sub"_s);
    QCOMPARE(program.files()->count(), 2);
    program.clickFile(u"bad.txt"_s);
    QCOMPARE(program.state.picture.PictureFolder, program.native(u"sub"_s));
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);

    // sub/a.png does not exist: nothing is handed to the main window.
    program.messages.clear();
    program.select();
    QCOMPARE(program.messages.texts(), QStringList{nothingSelected});
    QCOMPARE(program.status(), u"失敗"_s);
    QCOMPARE(program.state.picture.CurrentPicturePath, handedOver);
    QVERIFY(program.windows.pictureChooser());

    // Back up through the ancestor line, as in any folder box.
    program.doubleClickFolder(QDir(program.dir.path()).dirName());
    QCOMPARE(program.folders()->folder(), QDir(program.dir.path()).canonicalPath());
}

void TestPictureChooser::handOverIntoMainWindowUnloadedBySettings()
{
    Program program;
    program.openChooser();
    program.main->findChild<QAction *>(u"open"_s)->trigger();
    QVERIFY(!program.windows.mainWindow());
    program.clickFile(u"a.png"_s);
    program.select();
    // Loaded afresh: its list refill emptied the path it was handed.
    QVERIFY(program.windows.mainWindow());
    QVERIFY(program.windows.mainWindow()->isVisible());
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    QVERIFY(program.mainPicture().isNull());
    QVERIFY(!program.windows.pictureChooser());
}

void TestPictureChooser::unreadableDriveLeavesFoldersAsTheyWere()
{
#ifdef Q_OS_WIN
    QSKIP("The drive rows are those of a POSIX system");
#endif
    Program program;
    program.openChooser();
    auto *drives = program.chooserChild<QComboBox>(u"Drive1"_s);
    QVERIFY(drives->count() >= 1);
    QCOMPARE(drives->itemData(0).toString(), u"/"_s);
    const QString folderBefore = program.folders()->folder();
    const int filesBefore = program.files()->count();
    const int driveBefore = drives->currentIndex();
    QVERIFY(driveBefore >= 0);

    // A drive whose mount point has gone away.
    drives->addItem(u"/gone"_s, program.dir.filePath(u"gone"_s));
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(program.messages.texts(),
             QStringList{u"そのドライブからは読み取れません。フロッピー又はCDは入ってますか? (68)"_s});
    QCOMPARE(program.status(), u"FYかCDが入ってないよ"_s);
    QCOMPARE(drives->currentIndex(), drives->count() - 1);
    QCOMPARE(program.folders()->folder(), folderBefore);
    QCOMPARE(program.files()->count(), filesBefore);

    // Back on the drive that holds the current folder, browsing starts there again.
    drives->setCurrentIndex(driveBefore);
    QCOMPARE(program.messages.texts().size(), 1);
    QCOMPARE(program.folders()->folder(), QDir(program.dir.path()).canonicalPath());
    QCOMPARE(program.folders()->item(0)->text(), u"/"_s);

    // A folder removed after the box listed it: a message of its own, nothing moves.
    program.doubleClickFolder(u"sub"_s);
    program.doubleClickFolder(QDir(program.dir.path()).dirName());
    QVERIFY(QDir().rename(u"sub"_s, u"moved"_s));
    program.messages.clear();
    program.doubleClickFolder(u"sub"_s);
    QCOMPARE(program.messages.texts(), QStringList{u"そのフォルダは開けません。 (68)"_s});
    QCOMPARE(program.folders()->folder(), QDir(program.dir.path()).canonicalPath());
}

void TestPictureChooser::rootFolderPaths()
{
#ifdef Q_OS_WIN
    QSKIP("The POSIX root");
#endif
    QCOMPARE(PicturePath::handOverFolder(u"/"_s), u"/"_s);
    QCOMPARE(PicturePath::joined(PicturePath::handOverFolder(u"/"_s), u"a.png"_s), u"/a.png"_s);
    QCOMPARE(PicturePath::joined(PicturePath::handOverFolder(u"/home/u"_s), u"a.png"_s),
             u"/home/u/a.png"_s);
}

// Browsing a drive starts in the folder when that drive holds it; the list need not hold the
// folder's own mount point, as in a chroot.
void TestPictureChooser::startFolderOfDrive_data()
{
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("expected");
    QTest::newRow("only the root listed") << QStringList{u"/"_s} << u"/"_s << u"/srv/photos"_s;
    QTest::newRow("a mount named like its start") << QStringList{u"/"_s, u"/sr"_s} << u"/"_s
                                                   << u"/srv/photos"_s;
    QTest::newRow("held by a nearer mount") << QStringList{u"/"_s, u"/srv"_s} << u"/"_s << u"/"_s;
    QTest::newRow("on the nearer mount") << QStringList{u"/srv"_s, u"/"_s} << u"/srv"_s
                                         << u"/srv/photos"_s;
}

void TestPictureChooser::startFolderOfDrive()
{
    QFETCH(QStringList, roots);
    QFETCH(QString, root);
    QFETCH(QString, expected);
    QList<Drive> drives;
    for (const QString &listed : roots)
        drives.append(Drive{listed, listed});
    QCOMPARE(folderOnDrive(drives, root, u"/srv/photos"_s), expected);
}

QTEST_MAIN(TestPictureChooser)
#include "tst_picture_chooser.moc"
