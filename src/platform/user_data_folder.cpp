#include "platform/user_data_folder.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace UserDataFolder {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + u"/vedrin"_s;
}

std::optional<QString> enter()
{
    const QString folder = path();
    const std::filesystem::path native(QFile::encodeName(folder).toStdString());
    std::error_code error;
    std::filesystem::create_directories(native, error);
    if (!error)
        std::filesystem::current_path(native, error);
    if (!error)
        return std::nullopt;
    return u"データフォルダ %1 を開けませんでした: %2"_s
        .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(error.message()));
}

} // namespace UserDataFolder
