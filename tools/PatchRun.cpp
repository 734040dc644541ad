#include "tools/PatchRun.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "common/platform/PathBytes.h"
#include "common/platform/RegularFile.h"
#include "common/platform/SystemReason.h"
#include "engine/pack/DatArchiveWriter.h"
#include "tools/ArchiveOutput.h"
#include "tools/ProgressBar.h"
#include "tools/StopSignal.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

QString summary(const QStringList& changes, int entries, qint64 bytes) {
  const std::pair<const char*, const char*> kinds[] = {{"add ", "added"},
                                                       {"replace ", "replaced"},
                                                       {"delete ", "deleted"}};
  QStringList parts;
  for (const auto& kind : kinds) {
    const char* prefix = kind.first;
    const auto count = std::count_if(changes.begin(), changes.end(),
                                     [prefix](const QString& change) { return change.startsWith(prefix); });
    if (count > 0) parts << QString::number(count) + ' ' + kind.second;
  }
  return parts.join(", ") + "; " + Counted(entries, "entry", "entries") + ", " + Counted(bytes, "byte", "bytes");
}

// The patch written into the output from the old archive's file.
ArchiveWriting patching(const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
                        const PatchInput& input, int from) {
  return [&old, &plan, &input, from](engine::DatArchiveWriter& writer, const ArchiveOutput& output) -> int {
    ProgressBar bar(plan.copiedBytes + input.tree.bytes, !output.tell);
    const engine::PackResult result = engine::WritePatch(
        plan, old, from, input.tree, input.roots, input.options, writer, [&bar](qint64 bytes) { bar.Add(bytes); },
        StopSignal::Requested);
    bar.Clear();
    if (result.stopped) {
      Complain(output.shown + ": stopped; " + output.Left());
      return SomeFailed;
    }
    if (!result.failed.isEmpty()) {
      TellAll(result.failed);
      Complain(output.shown + QStringLiteral(": %1 could not be read; %2")
                                  .arg(Counted(result.failed.size(), "file", "files"), output.Left()));
      return SomeFailed;
    }
    writer.Finish(plan.records);
    if (const int error = output.commit())
      return RefuseArchive(output.shown, "cannot be written: " + platform::SystemReason(error));
    if (output.tell) output.tell(output.shown + ": " + summary(plan.changes, writer.Entries(), writer.Size()));
    return Success;
  };
}

int write(const ToolArchive& archive, const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
          const PatchInput& input, bool quiet) {
  const QString& path = archive.Path();
  const std::shared_ptr<platform::FolderHandle> folder = ArchiveFolder(path);
  if (!folder) return Refused;
  const std::string name = platform::PathBytes(QFileInfo(path).fileName()).toStdString();
  const platform::OwnedRegularFile from(path);
  if (from.Opened().fd < 0) return RefuseArchive(path, "cannot open it: " + from.Opened().refusal);
  if (!(from.Opened().id == archive.Source()->FileIdentity()))
    return RefuseArchive(path, QStringLiteral("not written: it was replaced while it was read"));
  return WriteArchiveFile(path, folder, name, quiet, patching(old, plan, input, from.Opened().fd));
}

// From standard input to standard output.
int writeToStandardOutput(const ToolArchive& archive, const std::vector<engine::OldEntry>& old,
                          const engine::PatchPlan& plan, const PatchInput& input, bool quiet) {
  if (const std::optional<int> end = RefuseTerminal()) return *end;
  return WriteStandardOutput(quiet, patching(old, plan, input, archive.StandardInput()));
}

}  // namespace

int WithOldEntries(const QString& path,
                   const std::function<int(const ToolArchive&, const std::vector<engine::OldEntry>&)>& command) {
  return WithArchive(
      path,
      [&command](const ToolArchive& archive) {
        const engine::OldDirectory directory(*archive.Source(), archive.Info());
        return command(archive, directory.Entries());
      },
      false, Reading::WholeFirst);
}

int ApplyPatch(const ToolArchive& archive, const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
               const PatchInput& input, bool dryRun, bool quiet) {
  if (!plan.refused.isEmpty()) {
    TellAll(plan.refused);
    return RefuseArchive(archive.Path(), QStringLiteral("not written: %1 cannot be in the archive")
                                             .arg(Counted(plan.refused.size(), "entry", "entries")));
  }
  if (dryRun) {
    for (const QString& change : plan.changes) Print(change);
    return Success;
  }
  if (archive.StandardInput() >= 0) return writeToStandardOutput(archive, old, plan, input, quiet);
  if (plan.changes.isEmpty()) {
    if (!quiet) Print(archive.Path() + ": nothing to change");
    return Success;
  }
  return write(archive, old, plan, input, quiet);
}

}  // namespace tools
