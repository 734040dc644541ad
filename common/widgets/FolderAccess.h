#pragma once
#include <QString>

namespace widgets {

// Why a folder cannot be shown in a list.
enum class FolderFailure { None, NotFound, AccessDenied };

// A folder can be listed when it exists, is a folder, and may be read and entered.
FolderFailure CheckFolder(const QString& path);

// The absolute, cleaned form the lists hold: no trailing separator except at "/".
QString NormalFolderPath(const QString& path);

}  // namespace widgets
