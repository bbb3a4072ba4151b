#pragma once

#include <QString>

#include <optional>

// The program keeps its files in the current folder. A start from the desktop's menu has no
// useful current folder, so the menu entry asks for this one instead.
namespace UserDataFolder {

// The program's folder in the user's data folder: $XDG_DATA_HOME/vedrin, usually
// ~/.local/share/vedrin.
QString path();

// Creates the folder when missing and makes it the current folder. On failure, the message
// to show.
std::optional<QString> enter();

} // namespace UserDataFolder
