#include "platform/user_data_folder.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace UserDataFolder {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/vedrin");
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
    return QStringLiteral(u"データフォルダ %1 を開けませんでした: %2")
        .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(error.message()));
}

} // namespace UserDataFolder
