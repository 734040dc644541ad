#pragma once
#include <QString>
#include <functional>
#include <system_error>

namespace platform {

// What the system says when the folder is opened to be listed: no error when
// it can be.
std::error_code FolderOpenError(const QString& folder);

using FolderOpenHandler = std::function<std::error_code(const QString& folder)>;
// Tests answer for folders no test machine has (a drive without its medium);
// an empty handler restores the system.
void SetFolderOpenHandler(FolderOpenHandler handler);

}  // namespace platform
