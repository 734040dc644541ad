#include "tallyhold/windows/OpenFromDesktop.h"

#include "common/platform/FileDrops.h"
#include "tallyhold/windows/Main_Container.h"

namespace tallyhold {

void OpenArchives(Main_Container& frame, const QStringList& paths) {
  for (const QString& path : paths) {
    frame.SetStatus(QStringLiteral("Loading ") + path);
    frame.ReadSkarrow2DAT(path);
  }
}

void AcceptArchiveDrops(Main_Container& frame) {
  new platform::FileDropTarget(frame, [&frame](const QStringList& files) { OpenArchives(frame, files); });
}

}  // namespace tallyhold
