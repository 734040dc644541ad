#include "tallyhold/windows/ArchiveRewrite.h"

#include <unistd.h>

#include <QFileInfo>

#include "common/platform/DialogService.h"
#include "common/platform/DoEvents.h"
#include "common/platform/PathBytes.h"
#include "common/platform/RegularFile.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/archive/ArchiveOpening.h"
#include "engine/archive/DATFunctions.h"
#include "engine/archive/DirectoryWalk.h"
#include "engine/pack/DatArchiveWriter.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/ExtractSource.h"
#include "tallyhold/windows/RunProgress.h"
#include "tallyhold/windows/StopToken.h"

namespace tallyhold {
namespace {

// The hidden file of an archive being written; one left by a run that died
// is removed by the next run into its folder.
constexpr char HiddenPrefix[] = "tallyhold";

void fail(const QString& path, const QString& reason) {
  platform::Dialogs().message(QStringLiteral("%1 was not changed: %2.").arg(path, reason), AppTitle(),
                              platform::MsgIcon::Critical, platform::MsgButtons::Ok);
}

class OldFile {
 public:
  explicit OldFile(const QString& path) : opened_(platform::OpenRegularFile(path)) {}
  ~OldFile() {
    if (opened_.fd >= 0) ::close(opened_.fd);
  }
  OldFile(const OldFile&) = delete;
  OldFile& operator=(const OldFile&) = delete;

  const platform::OpenedFile& Opened() const { return opened_; }

 private:
  platform::OpenedFile opened_;
};

// The bodies and the directory into the hidden file, with the progress
// window; false after a Cancel.
bool writeBodies(const QString& path, int from, const std::vector<engine::OldEntry>& old,
                 const engine::PatchPlan& plan, const RewriteInput& input, platform::SafeFile& file) {
  StopToken stop;
  RunProgress progress("Writing " + path + "...", stop);
  const auto total = static_cast<float>(plan.copiedBytes + input.tree.bytes + 1);
  float done = 1;
  progress.SetBar(total, done);
  progress.ShowStep(QStringLiteral("Writing the archive..."));
  platform::YieldPacer yields;
  engine::PackOptions options;
  options.workers = ExtractionWorkers();
  engine::DatArchiveWriter writer(file);
  const engine::PackResult result = engine::WritePatch(
      plan, old, from, input.tree, input.roots, options, writer,
      [&](qint64 bytes) {
        done += static_cast<float>(bytes);
        progress.SetBar(total, done);
        yields.AfterItem();
      },
      [&stop] { return stop.Requested(); });
  if (result.stopped) return false;
  if (!result.failed.isEmpty())
    throw engine::ArchiveWriteError(QStringLiteral("%1 could not be read").arg(result.failed.join(", ")));
  writer.Finish(plan.records);
  return true;
}

}  // namespace

std::vector<engine::OldEntry> OldEntriesOf(const std::shared_ptr<const platform::ArchiveSource>& source) {
  const engine::OpenedArchive opened = engine::OpenArchive(source);
  if (!opened) throw engine::ArchiveRefused(opened.Refusal);
  std::vector<engine::OldEntry> entries;
  engine::DirectoryWalk walk(*source, opened.Info);
  while (!walk.AtEnd()) {
    const engine::ClsTreeDir entry = engine::TreeDirOf(walk.Next());
    entries.push_back({entry.Filename, entry.IsCompressed(), entry.RealSize, entry.PackedSize, entry.Offset});
  }
  return entries;
}

bool RewriteArchive(const QString& path, const platform::ArchiveSource& source,
                    const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
                    const RewriteInput& input) {
  if (!plan.refused.isEmpty()) {
    fail(path, "these names cannot be in an archive: " + plan.refused.join(", "));
    return false;
  }
  auto folder = std::make_shared<platform::FolderHandle>();
  if (const int error = platform::FolderHandle::Open(QFileInfo(path).path(), *folder)) {
    fail(path, "its folder cannot be written: " + platform::SystemReason(error));
    return false;
  }
  const OldFile from(path);
  if (from.Opened().fd < 0) {
    fail(path, "it cannot be opened: " + from.Opened().refusal);
    return false;
  }
  if (!(from.Opened().id == source.FileIdentity())) {
    fail(path, QStringLiteral("another file stands under its name now"));
    return false;
  }
  platform::SafeFile::RemoveStale(*folder, HiddenPrefix);
  platform::SafeFile file;
  if (const int error = file.Create(folder, HiddenPrefix)) {
    fail(path, "it cannot be written: " + platform::SystemReason(error));
    return false;
  }
  try {
    if (!writeBodies(path, from.Opened().fd, old, plan, input, file)) {
      platform::Dialogs().message(QStringLiteral("%1 was not changed: the writing was cancelled.").arg(path),
                                  AppTitle(), platform::MsgIcon::Information, platform::MsgButtons::Ok);
      return false;
    }
  } catch (const engine::ArchiveWriteError& error) {
    fail(path, error.reason());
    return false;
  }
  if (const int error = file.Commit(platform::PathBytes(QFileInfo(path).fileName()).toStdString())) {
    fail(path, "it cannot be written: " + platform::SystemReason(error));
    return false;
  }
  return true;
}

}  // namespace tallyhold
