#include "tallyhold/windows/ArchiveWriting.h"

#include "common/platform/DialogService.h"
#include "common/platform/DoEvents.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/pack/DatArchiveWriter.h"
#include "tallyhold/windows/AppInfo.h"
#include "tallyhold/windows/RunProgress.h"
#include "tallyhold/windows/StopToken.h"

namespace tallyhold {
namespace {

// The hidden file of an archive being written; one left by a run that died
// is removed by the next run into its folder.
constexpr char HiddenPrefix[] = "tallyhold";

// The bodies and the directory into the hidden file; false after a Cancel.
bool writeAll(const QString& path, platform::SafeFile& file, qint64 bytes, const BodyWriting& bodies,
              const std::vector<int>& records) {
  StopToken stop;
  RunProgress progress("Writing " + path + "...", stop);
  const auto total = static_cast<float>(bytes + 1);
  float done = 1;
  progress.SetBar(total, done);
  progress.ShowStep(QStringLiteral("Writing the archive..."));
  platform::YieldPacer yields;
  engine::DatArchiveWriter writer(file);
  const engine::PackResult result = bodies(
      writer,
      [&](qint64 written) {
        done += static_cast<float>(written);
        progress.SetBar(total, done);
        yields.AfterItem();
      },
      [&stop] { return stop.Requested(); });
  // A Cancel while the last bodies were written is a Cancel too: the old
  // archive stays.
  if (result.stopped || stop.Requested()) return false;
  if (!result.failed.isEmpty())
    throw engine::ArchiveWriteError(QStringLiteral("these files could not be read: ") + result.failed.join(", "));
  writer.Finish(records);
  return true;
}

}  // namespace

void TellNotChanged(const QString& path, const QString& reason) {
  platform::Dialogs().message(QStringLiteral("%1 was not changed: %2.").arg(path, reason), AppTitle(),
                              platform::MsgIcon::Critical, platform::MsgButtons::Ok);
}

bool WriteArchive(const QString& path, const std::shared_ptr<platform::FolderHandle>& folder,
                  const std::string& name, qint64 bytes, const BodyWriting& bodies,
                  const std::vector<int>& records) {
  // A new archive that fails was not written; an archive there was not changed.
  const bool existed = !(folder->IdOf(name) == platform::FolderHandle::Identity{});
  const auto tell = [&](const QString& reason) {
    if (existed) return TellNotChanged(path, reason);
    platform::Dialogs().message(QStringLiteral("%1 was not written: %2.").arg(path, reason), AppTitle(),
                                platform::MsgIcon::Critical, platform::MsgButtons::Ok);
  };
  platform::SafeFile::RemoveStale(*folder, HiddenPrefix);
  platform::SafeFile file;
  if (const int error = file.Create(folder, HiddenPrefix)) {
    tell("it cannot be written: " + platform::SystemReason(error));
    return false;
  }
  try {
    if (!writeAll(path, file, bytes, bodies, records)) {
      platform::Dialogs().message(
          QStringLiteral("%1 was not %2: the writing was cancelled.").arg(path, existed ? "changed" : "written"),
          AppTitle(), platform::MsgIcon::Information, platform::MsgButtons::Ok);
      return false;
    }
  } catch (const engine::ArchiveWriteError& error) {
    tell(error.reason());
    return false;
  }
  if (const int error = file.Commit(name)) {
    tell("it cannot be written: " + platform::SystemReason(error));
    return false;
  }
  return true;
}

}  // namespace tallyhold
