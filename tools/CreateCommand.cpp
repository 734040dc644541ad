// skarrow2-dat create ARCHIVE FOLDER [-j N] [--level L] [--store GLOB...]
#include <unistd.h>

#include <QFileInfo>
#include <optional>

#include "common/platform/PathBytes.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/pack/ArchivePacker.h"
#include "engine/pack/InputTree.h"
#include "tools/ArchiveOutput.h"
#include "tools/Commands.h"
#include "tools/PackLine.h"
#include "tools/ProgressBar.h"
#include "tools/StopSignal.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// The input walked, what is left out told; nothing when a name refuses the archive.
std::optional<engine::InputTree> walk(const QString& archive, const QString& input, platform::FolderHandle& root,
                                      const engine::Skipped& skip) {
  if (const int error = platform::FolderHandle::Open(input, root)) {
    RefuseArchive(input, "cannot be read: " + platform::SystemReason(error));
    return std::nullopt;
  }
  engine::InputTree tree;
  engine::WalkInput(root, input, skip, tree);
  TellAll(tree.leftOut);
  if (!tree.refused.isEmpty()) {
    TellAll(tree.refused);
    RefuseArchive(archive, "not written: " + Counted(tree.refused.size(), "input file", "input files") +
                               " cannot be in an archive");
    return std::nullopt;
  }
  return tree;
}

// Packs the tree into the output.
ArchiveWriting packing(const engine::InputTree& tree, const platform::FolderHandle& root,
                       const engine::PackOptions& options) {
  return [&tree, &root, &options](engine::DatArchiveWriter& writer, const ArchiveOutput& output) -> int {
    ProgressBar bar(tree.bytes, !output.tell);
    const engine::PackResult result = engine::PackFiles(
        tree, {&root}, options, writer, [&bar](qint64 bytes) { bar.Add(bytes); }, StopSignal::Requested);
    bar.Clear();
    if (result.stopped) {
      Complain(output.shown + ": stopped; " + output.Left());
      return SomeFailed;
    }
    writer.Finish();
    if (const int error = output.commit())
      return RefuseArchive(output.shown, "cannot be written: " + platform::SystemReason(error));
    TellAll(result.failed);
    if (output.tell)
      output.tell(output.shown + ": " + Counted(writer.Entries(), "file", "files") + " packed, " +
                  Counted(writer.Size(), "byte", "bytes"));
    return tree.leftOut.isEmpty() && result.failed.isEmpty() ? Success : SomeFailed;
  };
}

int create(const QString& archive, const QString& input, const engine::PackOptions& options, bool quiet) {
  const std::shared_ptr<platform::FolderHandle> folder = ArchiveFolder(archive);
  if (!folder) return Refused;
  const std::string name = platform::PathBytes(QFileInfo(archive).fileName()).toStdString();
  if (const int error = platform::SafeFile::CheckName(*folder, name))
    return RefuseArchive(archive, "cannot be written: " + platform::SystemReason(error));
  platform::FolderHandle root;
  // Walked before the hidden file is made, which is thus never packed.
  const std::optional<engine::InputTree> tree = walk(archive, input, root, {folder->Id(), name, {}});
  if (!tree) return Refused;
  return WriteArchiveFile(archive, folder, name, quiet, packing(*tree, root, options));
}

int createOnStandardOutput(const QString& input, const engine::PackOptions& options, bool quiet) {
  if (const std::optional<int> end = RefuseTerminal()) return *end;
  platform::FolderHandle root;
  const std::optional<engine::InputTree> tree = walk(QStringLiteral("standard output"), input, root,
                                                     {{}, {}, platform::FolderHandle::IdentityOf(STDOUT_FILENO)});
  if (!tree) return Refused;
  return WriteStandardOutput(quiet, packing(*tree, root, options));
}

}  // namespace

int RunCreate(const QStringList& arguments) {
  CommandLine line(QStringLiteral("create"),
                   QStringLiteral("Packs the files under FOLDER into a new archive, with names relative to "
                                  "FOLDER. Names are sorted, so the same folder always gives the same archive. "
                                  "Bodies are compressed, or stored where that is not smaller or --store says so. "
                                  "Symbolic links are not followed, and empty folders are left out. A name "
                                  "Latin-1 cannot hold or longer than 255 bytes, or a folder so deep that every "
                                  "name below it would be, refuses the whole archive before anything is written; "
                                  "so does an archive that would pass 2 GiB. The archive is "
                                  "written under a hidden name and appears only when complete."));
  line.AddPositional(QStringLiteral("ARCHIVE"),
                     QStringLiteral("The archive to write (replaced when it exists); - for standard output, "
                                    "which may not be a terminal."));
  line.AddPositional(QStringLiteral("FOLDER"), QStringLiteral("The folder to pack."));
  AddPackOptions(line);
  if (const std::optional<int> end = line.Parse(arguments, 2, 2)) return *end;
  engine::PackOptions options;
  if (const std::optional<int> end = ReadPackOptions(line, options)) return *end;
  if (line.Positional()[0] == "-") return createOnStandardOutput(line.Positional()[1], options, line.Quiet());
  return create(line.Positional()[0], line.Positional()[1], options, line.Quiet());
}

}  // namespace tools
