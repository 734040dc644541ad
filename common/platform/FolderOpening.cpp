#include "common/platform/FolderOpening.h"

#include <QFile>
#include <filesystem>

namespace platform {
namespace {
FolderOpenHandler& handler() {
  static FolderOpenHandler installed;
  return installed;
}
}  // namespace

std::error_code FolderOpenError(const QString& folder) {
  if (handler()) return handler()(folder);
  std::error_code error;
  std::filesystem::directory_iterator(QFile::encodeName(folder).toStdString(), error);
  return error;
}

void SetFolderOpenHandler(FolderOpenHandler newHandler) { handler() = std::move(newHandler); }

}  // namespace platform
