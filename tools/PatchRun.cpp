#include "tools/PatchRun.h"

#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <utility>

#include "common/platform/PathBytes.h"
#include "common/platform/RegularFile.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/pack/DatArchiveWriter.h"
#include "tools/ProgressBar.h"
#include "tools/StopSignal.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// The hidden file of an archive being written, the prefix create uses: one
// left by a run that died is removed by the next run into its folder.
constexpr char HiddenPrefix[] = "skarrow2-dat";

int refuse(const QString& archive, const QString& reason) {
  Complain(archive + ": " + reason);
  return Refused;
}

void tellAll(const QStringList& lines) {
  for (const QString& line : lines) Complain(line);
}

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

// The patch through the writer from the old archive's file; commit then puts
// the new one, named path in messages, in place (0 or the system's error).
// stream: the writer's output is a stream, which a failure leaves cut short.
int writeWith(const QString& path, const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
              const PatchInput& input, int from, engine::DatArchiveWriter& writer, bool stream,
              const std::function<int()>& commit, const std::function<void(const QString&)>& tell) {
  ProgressBar bar(plan.copiedBytes + input.tree.bytes, !tell);
  const engine::PackResult result = engine::WritePatch(
      plan, old, from, input.tree, input.roots, input.options, writer, [&bar](qint64 bytes) { bar.Add(bytes); },
      StopSignal::Requested);
  bar.Clear();
  // A stream has had the bodies before the stop or the failure.
  const QString left = stream ? QStringLiteral("it is cut short") : QStringLiteral("nothing was written");
  if (result.stopped) {
    Complain(path + ": stopped; " + left);
    return SomeFailed;
  }
  if (!result.failed.isEmpty()) {
    tellAll(result.failed);
    Complain(
        path +
        QStringLiteral(": %1 could not be read; %2").arg(Counted(result.failed.size(), "file", "files"), left));
    return SomeFailed;
  }
  writer.Finish(plan.records);
  if (const int error = commit()) return refuse(path, "cannot be written: " + platform::SystemReason(error));
  if (tell) tell(path + ": " + summary(plan.changes, writer.Entries(), writer.Size()));
  return Success;
}

// The folder the archive's path names it in, or null once the reason is told.
std::shared_ptr<platform::FolderHandle> archiveFolder(const QString& archive) {
  auto folder = std::make_shared<platform::FolderHandle>();
  if (const int error = platform::FolderHandle::Open(QFileInfo(archive).path(), *folder)) {
    Complain(archive + ": cannot write in its folder: " + platform::SystemReason(error));
    return nullptr;
  }
  return folder;
}

int write(const ToolArchive& archive, const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
          const PatchInput& input, bool quiet) {
  const QString& path = archive.Path();
  const std::shared_ptr<platform::FolderHandle> folder = archiveFolder(path);
  if (!folder) return Refused;
  const std::string name = platform::PathBytes(QFileInfo(path).fileName()).toStdString();
  const platform::OwnedRegularFile from(path);
  if (from.Opened().fd < 0) return refuse(path, "cannot open it: " + from.Opened().refusal);
  if (!(from.Opened().id == archive.Source()->FileIdentity()))
    return refuse(path, QStringLiteral("not written: it was replaced while it was read"));

  platform::SafeFile::RemoveStale(*folder, HiddenPrefix);
  // Caught before the hidden file exists, so that no signal finds it unowned.
  const StopSignal stop;
  platform::SafeFile file;
  if (const int error = file.Create(folder, HiddenPrefix))
    return refuse(path, "cannot be written: " + platform::SystemReason(error));
  try {
    engine::DatArchiveWriter writer(file);
    return writeWith(
        path, old, plan, input, from.Opened().fd, writer, false, [&] { return file.Commit(name); },
        quiet ? std::function<void(const QString&)>() : Print);
  } catch (const engine::ArchiveWriteError& error) {
    return refuse(path, "not written: " + error.reason());
  }
}

// From standard input to standard output, which is never sought; what a
// person reads goes to standard error.
int writeToStandardOutput(const ToolArchive& archive, const std::vector<engine::OldEntry>& old,
                          const engine::PatchPlan& plan, const PatchInput& input, bool quiet) {
  if (::isatty(STDOUT_FILENO) == 1)
    return refuse(QStringLiteral("standard output"), "is a terminal; redirect it to a file or a pipe");
  const StopSignal stop;
  try {
    engine::DatArchiveWriter writer(STDOUT_FILENO);
    return writeWith(
        QStringLiteral("standard output"), old, plan, input, archive.StandardInput(), writer, true,
        [] { return 0; }, quiet ? std::function<void(const QString&)>() : Complain);
  } catch (const engine::ArchiveWriteError& error) {
    return refuse(QStringLiteral("standard output"), "not written whole: " + error.reason());
  }
}

}  // namespace

std::vector<engine::OldEntry> OldEntries(const ToolArchive& archive) {
  std::vector<engine::OldEntry> entries;
  entries.reserve(static_cast<std::size_t>(archive.Info().FilesTotal));
  for (const engine::ClsTreeDir* entry : archive.Records()) entries.push_back(engine::OldEntryOf(*entry));
  return entries;
}

int ApplyPatch(const ToolArchive& archive, const std::vector<engine::OldEntry>& old, const engine::PatchPlan& plan,
               const PatchInput& input, bool dryRun, bool quiet) {
  if (!plan.refused.isEmpty()) {
    tellAll(plan.refused);
    return refuse(archive.Path(), QStringLiteral("not written: %1 cannot be in the archive")
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
