// skarrow2-dat create ARCHIVE FOLDER [-j N] [--level L] [--store GLOB...]
#include <unistd.h>

#include <QFileInfo>
#include <functional>
#include <optional>

#include "common/platform/PathBytes.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "engine/pack/ArchivePacker.h"
#include "engine/pack/DatArchiveWriter.h"
#include "engine/pack/InputTree.h"
#include "tools/Commands.h"
#include "tools/PackLine.h"
#include "tools/ProgressBar.h"
#include "tools/StopSignal.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

int refuse(const QString& archive, const QString& reason) {
  Complain(archive + ": " + reason);
  return Refused;
}

void tellAll(const QStringList& lines) {
  for (const QString& line : lines) Complain(line);
}

// The hidden file of an archive being written; one left by a run that died
// is removed by the next run into its folder.
constexpr char HiddenPrefix[] = "skarrow2-dat";

// The input walked, what is left out told; nothing when a name refuses the archive.
std::optional<engine::InputTree> walk(const QString& archive, const QString& input, platform::FolderHandle& root,
                                      const engine::Skipped& skip) {
  if (const int error = platform::FolderHandle::Open(input, root)) {
    refuse(input, "cannot be read: " + platform::SystemReason(error));
    return std::nullopt;
  }
  engine::InputTree tree;
  engine::WalkInput(root, input, skip, tree);
  tellAll(tree.leftOut);
  if (!tree.refused.isEmpty()) {
    tellAll(tree.refused);
    refuse(archive, "not written: " + Counted(tree.refused.size(), "input file", "input files") +
                        " cannot be in an archive");
    return std::nullopt;
  }
  return tree;
}

// Packs the tree; commit then puts the archive in place (0 or the system's
// error). stream: the writer's output is a stream, which a stop leaves cut short.
int pack(const QString& archive, const engine::InputTree& tree, const platform::FolderHandle& root,
         const engine::PackOptions& options, engine::DatArchiveWriter& writer, bool stream,
         const std::function<int()>& commit, const std::function<void(const QString&)>& tell) {
  ProgressBar bar(tree.bytes, !tell);
  const engine::PackResult result = engine::PackFiles(
      tree, {&root}, options, writer, [&bar](qint64 bytes) { bar.Add(bytes); }, StopSignal::Requested);
  bar.Clear();
  if (result.stopped) {
    Complain(archive + (stream ? ": stopped; it is cut short" : ": stopped; nothing was written"));
    return SomeFailed;
  }
  writer.Finish();
  if (const int error = commit()) return refuse(archive, "cannot be written: " + platform::SystemReason(error));
  tellAll(result.failed);
  if (tell)
    tell(archive + ": " + Counted(writer.Entries(), "file", "files") + " packed, " +
         Counted(writer.Size(), "byte", "bytes"));
  return tree.leftOut.isEmpty() && result.failed.isEmpty() ? Success : SomeFailed;
}

int create(const QString& archive, const QString& input, const engine::PackOptions& options, bool quiet) {
  const QFileInfo where(archive);
  auto folder = std::make_shared<platform::FolderHandle>();
  if (const int error = platform::FolderHandle::Open(where.path(), *folder))
    return refuse(archive, "cannot write in its folder: " + platform::SystemReason(error));
  const std::string name = platform::PathBytes(where.fileName()).toStdString();
  if (const int error = platform::SafeFile::CheckName(*folder, name))
    return refuse(archive, "cannot be written: " + platform::SystemReason(error));
  platform::FolderHandle root;
  // Walked before the hidden file is made, which is thus never packed.
  const std::optional<engine::InputTree> tree = walk(archive, input, root, {folder->Id(), name, {}});
  if (!tree) return Refused;

  platform::SafeFile::RemoveStale(*folder, HiddenPrefix);
  // Caught before the hidden file exists, so that no signal finds it unowned.
  const StopSignal stop;
  platform::SafeFile file;
  if (const int error = file.Create(folder, HiddenPrefix))
    return refuse(archive, "cannot be written: " + platform::SystemReason(error));
  try {
    engine::DatArchiveWriter writer(file);
    return pack(
        archive, *tree, root, options, writer, false, [&] { return file.Commit(name); },
        quiet ? std::function<void(const QString&)>() : Print);
  } catch (const engine::ArchiveWriteError& error) {
    return refuse(archive, "not written: " + error.reason());
  }
}

// To standard output, which is never sought; what a person reads goes to
// standard error. A stop or a failure leaves the stream cut short.
int createOnStandardOutput(const QString& input, const engine::PackOptions& options, bool quiet) {
  const QString archive = QStringLiteral("standard output");
  if (::isatty(STDOUT_FILENO) == 1) return refuse(archive, "is a terminal; redirect it to a file or a pipe");
  platform::FolderHandle root;
  const std::optional<engine::InputTree> tree = walk(archive, input, root,
                                                     {{}, {}, platform::FolderHandle::IdentityOf(STDOUT_FILENO)});
  if (!tree) return Refused;
  const StopSignal stop;
  try {
    engine::DatArchiveWriter writer(STDOUT_FILENO);
    return pack(
        archive, *tree, root, options, writer, true, [] { return 0; },
        quiet ? std::function<void(const QString&)>() : Complain);
  } catch (const engine::ArchiveWriteError& error) {
    return refuse(archive, "not written whole: " + error.reason());
  }
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
