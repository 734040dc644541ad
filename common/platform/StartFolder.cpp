#include "common/platform/StartFolder.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

namespace platform {

QString StartFolder(const QString& programFolder) {
  const bool installed = programFolder == QStringLiteral(SKARROW_INSTALL_BINDIR) ||
                         ::access(QFile::encodeName(programFolder).constData(), W_OK) != 0;
  return installed ? QDir::homePath() : programFolder;
}

}  // namespace platform
