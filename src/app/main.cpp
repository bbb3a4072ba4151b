#include <QApplication>
#include <QCommandLineParser>

#include "app/program_state.h"
#include "app/program_windows.h"
#include "application_identity.h"
#include "platform/file_size_limit.h"
#include "platform/standard_descriptors.h"
#include "platform/user_data_folder.h"
#include "widgets/message_box.h"

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    openMissingStandardDescriptors();
    letFileSizeLimitFailWrites();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"vedrin"_s);
    QApplication::setApplicationVersion(ApplicationIdentity::version());
    QGuiApplication::setDesktopFileName(u"org.example.Vedrin"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Vedrin: 名簿 meibo.dat と設定 settei.ini を今のフォルダに置くアドレス帳"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption userDataFolder(
        u"user-data-folder"_s,
        u"今のフォルダの代わりにデータフォルダ (%1) を使う。なければ作る。"_s.arg(
            UserDataFolder::path()));
    parser.addOption(userDataFolder);
    parser.process(app);
    if (parser.isSet(userDataFolder)) {
        if (const std::optional<QString> failure = UserDataFolder::enter()) {
            showMessage(nullptr, *failure);
            return 1;
        }
    }

    // The windows end the program when the last of them goes, hidden or closed alike.
    QApplication::setQuitOnLastWindowClosed(false);
    ProgramState state;
    ProgramWindows windows(state);
    if (!windows.showMainWindow())
        return windows.exitCode();
    return QApplication::exec();
}
