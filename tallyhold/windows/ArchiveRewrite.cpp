#include "tallyhold/windows/ArchiveRewrite.h"

#include <QFileInfo>

#include "common/platform/PathBytes.h"
#include "common/platform/RegularFile.h"
#include "common/platform/SystemReason.h"
#include "engine/archive/ArchiveOpening.h"
#include "tallyhold/windows/ArchiveWriting.h"
#include "tallyhold/windows/ExtractSource.h"

namespace tallyhold {
engine::OldDirectory OldDirectoryOf(const std::shared_ptr<const platform::ArchiveSource>& source) {
  const engine::OpenedArchive opened = engine::OpenArchive(source);
  if (!opened) throw engine::ArchiveRefused(opened.Refusal);
  return {*source, opened.Info};
}

bool RewriteArchive(const QString& path, const platform::ArchiveSource& source,
                    const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
                    const RewriteInput& input) {
  if (!plan.refused.isEmpty()) {
    TellNotChanged(path, "these names cannot be in an archive: " + plan.refused.join(", "));
    return false;
  }
  auto folder = std::make_shared<platform::FolderHandle>();
  if (const int error = platform::FolderHandle::Open(QFileInfo(path).path(), *folder)) {
    TellNotChanged(path, "its folder cannot be written: " + platform::SystemReason(error));
    return false;
  }
  const platform::OwnedRegularFile from(path);
  if (from.Opened().fd < 0) {
    TellNotChanged(path, "it cannot be opened: " + from.Opened().refusal);
    return false;
  }
  if (!(from.Opened().id == source.FileIdentity())) {
    TellNotChanged(path, QStringLiteral("another file stands under its name now"));
    return false;
  }
  engine::PackOptions options;
  options.workers = ExtractionWorkers();
  return WriteArchive(
      path, folder, platform::PathBytes(QFileInfo(path).fileName()).toStdString(),
      plan.copiedBytes + input.tree.bytes,
      [&](engine::DatArchiveWriter& writer, const std::function<void(qint64)>& packed,
          const std::function<bool()>& stop) {
        return engine::WritePatch(plan, old, from.Opened().fd, input.tree, input.roots, options, writer, packed,
                                  stop);
      },
      plan.records);
}

}  // namespace tallyhold
