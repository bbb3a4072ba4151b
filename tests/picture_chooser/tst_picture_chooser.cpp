#include <QTest>

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QListWidget>

#include "main_window/main_window.h"
#include "picture_chooser/folder_list_box.h"
#include "picture_chooser/picture_chooser_window.h"
#include "picture_chooser/picture_path.h"
#include "platform/drives.h"
#include "support/program.h"

using namespace Qt::StringLiterals;

namespace {

const QString notAPicture481 = u"画像ファイルでないかサポートしていない拡張子です。  (481)"_s;
const QString nothingSelected = u"画像ファイルが選択されていません。"_s;

// The program started in a folder holding a.png (red), b.jpg (blue), notes.txt, .hidden.png and
// sub/ with bad.txt, its chooser open.
[[nodiscard]] bool startWithPictures(Program &program)
{
    writeFileBytes(u"a.png"_s, pngBytes(Qt::red));
    QImage blue(8, 6, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    writeFileBytes(u"notes.txt"_s, "not a picture\n");
    writeFileBytes(u".hidden.png"_s, pngBytes(Qt::green));
    return blue.save(u"b.jpg"_s, "JPG") && QDir().mkdir(u"sub"_s)
           && QFile(u"sub/bad.txt"_s).open(QIODevice::WriteOnly) && program.start()
           && program.click(u"Command3"_s);
}

QListWidget *files(const Program &program)
{
    return program.find<QListWidget>(u"Form1/File1"_s);
}

QString folder(const Program &program)
{
    return program.find<FolderListBox>(u"Form1/Dir1"_s)->folder();
}

QRgb colourOf(const Program &program, const QString &picture)
{
    const QImage image = program.find<QLabel>(picture)->pixmap().toImage();
    return image.isNull() ? 0 : image.pixel(0, 0);
}

// Clicks a line of the file list (File1), or double-clicks one of the folder list (Dir1) as the
// system delivers it: a click, then the second press as a double-click.
[[nodiscard]] bool clickLine(const Program &program, const QString &list, const QString &name)
{
    auto *box = program.find<QListWidget>(u"Form1/"_s + list);
    const QList<QListWidgetItem *> found = box->findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return false;
    // Near the line's start: a long name's line reaches past the box.
    const QRect line = box->visualItemRect(found.first());
    const QPoint at(line.left() + 4, line.center().y());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
    if (list == u"Dir1")
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
    return true;
}

[[nodiscard]] bool clickFile(const Program &program, const QString &name)
{
    return clickLine(program, u"File1"_s, name);
}

// The chooser starts in the current folder as the system reports it, links resolved.
QString here()
{
    return QDir::current().canonicalPath();
}

} // namespace

class TestPictureChooser : public QObject
{
    Q_OBJECT

private slots:
    void opensOnCurrentFolderWithOrdinaryFilesOnly();
    void previewAndHandOverIntoRegisteredEntry();
    void failedPreviewAndSelect();
    void pathsTheRosterCannotKeep_data();
    void pathsTheRosterCannotKeep();
    void pictureThatNeverLoads();
    void refillAndEntryDisplayEmptyTheHandOver();
    void unreadableDriveAndFolder();
    void rootFolderPaths();
    void startFolderOfDrive_data();
    void startFolderOfDrive();
};

void TestPictureChooser::opensOnCurrentFolderWithOrdinaryFilesOnly()
{
    Program program;
    QVERIFY(startWithPictures(program));
    PictureChooserWindow *chooser = program.windows.pictureChooser();
    QCOMPARE(chooser->windowTitle(), u"画像の選択"_s);
    QCOMPARE(folder(program), here());
    QStringList names;
    for (int row = 0; row < files(program)->count(); ++row)
        names << files(program)->item(row)->text();
    QCOMPARE(names, (QStringList{u"a.png"_s, u"b.jpg"_s, u"meibo.dat"_s, u"notes.txt"_s,
                                 u"settei.ini"_s}));
    QVERIFY(files(program)->selectedItems().isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(chooser));
    QCOMPARE(QApplication::focusWidget(), files(program));
    // "picture" again brings the same chooser to the front.
    QVERIFY(program.click(u"Command3"_s));
    QCOMPARE(program.windows.pictureChooser(), chooser);
}

void TestPictureChooser::previewAndHandOverIntoRegisteredEntry()
{
    Program program;
    QVERIFY(startWithPictures(program));
    QVERIFY(clickFile(program, u"b.jpg"_s));
    // Decoded at the size of the box inside its frame, as it is shown.
    QCOMPARE(program.find<QLabel>(u"Form1/Image1"_s)->pixmap().size(), QSize(103, 87));
    QVERIFY(clickFile(program, u"a.png"_s));
    QCOMPARE(colourOf(program, u"Form1/Image1"_s), QColor(Qt::red).rgb());
    QCOMPARE(program.state.picture.PictureFolder, here());
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);
    QVERIFY(program.click(u"Form1/Command1"_s));
    QVERIFY(program.messages.isEmpty());
    QCOMPARE(program.state.picture.CurrentPicturePath, here() + u"/a.png"_s);
    QCOMPARE(colourOf(program, u"Image1"_s), QColor(Qt::red).rgb());
    QVERIFY(!program.windows.pictureChooser());
    QVERIFY(program.registerEntry(u"2"_s, u"Hanako"_s));
    const QByteArray path = QFile::encodeName(here() + u"/a.png"_s);
    QCOMPARE(readFileBytes(u"meibo.dat"_s).sliced(436 + 180), path + QByteArray(256 - path.size(), ' '));
}

void TestPictureChooser::failedPreviewAndSelect()
{
    Program program;
    QVERIFY(startWithPictures(program));
    QVERIFY(program.click(u"Form1/Command1"_s));
    QCOMPARE(program.text(u"Form1/hantei"_s), u"失敗"_s);
    QVERIFY(clickFile(program, u"a.png"_s));
    QVERIFY(clickFile(program, u"notes.txt"_s));
    QCOMPARE(program.text(u"Form1/hantei"_s), u"画像を指定してね"_s);
    // A screen reader hears the status line's message.
    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(program.find(u"Form1/hantei"_s));
    QCOMPARE(status->text(QAccessible::Name), u"画像を指定してね"_s);
    QCOMPARE(status->text(QAccessible::Description), u"状態"_s);
    // A failure keeps the preview and the name last previewed, even in another folder.
    QCOMPARE(colourOf(program, u"Form1/Image1"_s), QColor(Qt::red).rgb());
    QVERIFY(clickLine(program, u"Dir1"_s, u"sub"_s));
    QCOMPARE(folder(program), here() + u"/sub"_s);
    QVERIFY(clickFile(program, u"bad.txt"_s));
    QCOMPARE(program.state.picture.PictureFolder, here() + u"/sub"_s);
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);
    // sub/a.png does not exist: nothing is handed to the main window.
    QVERIFY(program.click(u"Form1/Command1"_s));
    QCOMPARE(program.messages, (QStringList{nothingSelected, notAPicture481, notAPicture481, nothingSelected}));
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    // Back up through the ancestor line, as in any folder box.
    QVERIFY(clickLine(program, u"Dir1"_s, QDir::current().dirName()));
    QCOMPARE(folder(program), here());
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
    // The four kanji of the path take two bytes each in Shift-JIS, three in UTF-8.
    if (pathBytes > 0)
        name = u"写真"_s + QString(pathBytes - here().size() - 14, u'a') + u".png"_s;
    QVERIFY(QDir().mkdir(folder));
    writeFileBytes(folder + u'/' + name, pngBytes(Qt::green));
    QVERIFY(startWithPictures(program));
    QVERIFY(clickLine(program, u"Dir1"_s, folder));
    QVERIFY(clickFile(program, name));
    program.state.picture.CurrentPicturePath = u"/kept.png"_s;
    QVERIFY(program.click(u"Form1/Command1"_s));
    QCOMPARE(program.windows.pictureChooser() == nullptr, handedOver);
    if (handedOver) {
        QCOMPARE(program.state.picture.CurrentPicturePath, here() + u'/' + folder + u'/' + name);
        return;
    }
    QCOMPARE(program.messages,
             QStringList{u"この画像は登録できません。場所の名前にShift-JISで表せない文字があるか、"
                         u"256バイトを超えています。"_s});
    QCOMPARE(program.text(u"Form1/hantei"_s), u"失敗"_s);
    QCOMPARE(program.state.picture.CurrentPicturePath, u"/kept.png"_s);
}

void TestPictureChooser::pictureThatNeverLoads()
{
    Program program;
    QVERIFY(startWithPictures(program));
    LeasedFile held(u"a.png"_s);
    QVERIFY(held.isHeld());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(clickFile(program, u"a.png"_s));
    QCOMPARE(program.messages,
             QStringList{u"画像ファイルでないかサポートしていない拡張子です。  (286)"_s});
    QVERIFY(program.state.picture.PictureFileName.isEmpty());
    // The chooser goes on, long before the file is let go.
    QVERIFY(timer.elapsed() < 30000);
}

void TestPictureChooser::refillAndEntryDisplayEmptyTheHandOver()
{
    Program program;
    QVERIFY(startWithPictures(program));
    QVERIFY(clickFile(program, u"a.png"_s));
    // Showing an entry in the main window, with the chooser left open.
    QVERIFY(program.choose(0));
    QCOMPARE(program.state.picture.PictureFolder + program.state.picture.PictureFileName, QString());
    // A click on the file still highlighted takes it again; a register's refill empties it again.
    QVERIFY(clickFile(program, u"a.png"_s));
    QCOMPARE(program.state.picture.PictureFileName, u"a.png"_s);
    QVERIFY(program.registerEntry(u"1"_s, u"Taro"_s));
    QCOMPARE(program.state.picture.PictureFolder + program.state.picture.PictureFileName, QString());
    // Handed into a main window the settings dialog unloaded: loaded afresh, its refill empties it.
    QVERIFY(program.click(u"open"_s));
    QVERIFY(clickFile(program, u"a.png"_s));
    QVERIFY(program.click(u"Form1/Command1"_s));
    MainWindow *main = program.windows.mainWindow();
    QVERIFY(main->isVisible());
    QVERIFY(program.state.picture.CurrentPicturePath.isEmpty());
    QVERIFY(program.find<QLabel>(u"Image1"_s)->pixmap().isNull());
    // The dialog's OK then only raises the main window already there.
    QVERIFY(program.click(u"Settei/OK"_s));
    QCOMPARE(program.windows.mainWindow(), main);
}

void TestPictureChooser::unreadableDriveAndFolder()
{
    Program program;
    QVERIFY(startWithPictures(program));
    auto *drives = program.find<QComboBox>(u"Form1/Drive1"_s);
    const int driveBefore = drives->currentIndex();
    // A drive whose mount point has gone away.
    drives->addItem(u"/gone"_s, program.dir.filePath(u"gone"_s));
    drives->setCurrentIndex(drives->count() - 1);
    QCOMPARE(program.messages,
             QStringList{u"そのドライブからは読み取れません。フロッピー又はCDは入ってますか? (68)"_s});
    QCOMPARE(program.text(u"Form1/hantei"_s), u"FYかCDが入ってないよ"_s);
    QCOMPARE(folder(program), here());
    QCOMPARE(files(program)->count(), 5);
    // Back on the drive that holds the current folder, browsing starts there again.
    drives->setCurrentIndex(driveBefore);
    QCOMPARE(folder(program), here());
    // A folder removed after the box listed it: a message of its own, nothing moves.
    QVERIFY(QDir().rename(u"sub"_s, u"moved"_s));
    QVERIFY(clickLine(program, u"Dir1"_s, u"sub"_s));
    QCOMPARE(program.messages.last(), u"そのフォルダは開けません。 (68)"_s);
    QCOMPARE(folder(program), here());
}

void TestPictureChooser::rootFolderPaths()
{
    QCOMPARE(PicturePath::handOverFolder(u"/"_s), u"/"_s);
    QCOMPARE(PicturePath::joined(PicturePath::handOverFolder(u"/"_s), u"a.png"_s), u"/a.png"_s);
    QCOMPARE(PicturePath::joined(u"/home/u"_s, u"a.png"_s), u"/home/u/a.png"_s);
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
