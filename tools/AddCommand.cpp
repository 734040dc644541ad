// skarrow2-dat add ARCHIVE PATH... [--as FOLDER] [-j N] [--level L] [--store
// GLOB...] [--dry-run]
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "common/platform/PathBytes.h"
#include "common/platform/SystemReason.h"
#include "tools/Commands.h"
#include "tools/PackLine.h"
#include "tools/PatchRun.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// The archive folder --as names, "A\B\" ("/" or "\" between its folders), or
// nothing when Latin-1 cannot hold it.
std::optional<QByteArray> prefixOf(const QString& folder) {
  QStringList parts = QString(folder).replace('\\', '/').split('/', Qt::SkipEmptyParts);
  const QString joined = parts.join('\\');
  if (std::any_of(joined.begin(), joined.end(), [](QChar c) { return c.unicode() > 0xFF; })) return std::nullopt;
  return joined.isEmpty() ? QByteArray() : joined.toLatin1() + '\\';
}

struct Inputs {
  PatchInput patch;
  std::vector<std::unique_ptr<platform::FolderHandle>> folders;  // what patch.roots point to
};

// Each path walked from its parent folder, so that it keeps its own name.
std::optional<int> walkPaths(const QStringList& paths, const QByteArray& prefix, const engine::Skipped& skip,
                             Inputs& inputs) {
  for (const QString& path : paths) {
    const QFileInfo cleaned(QDir::cleanPath(path));
    const QString name = cleaned.fileName();
    if (name.isEmpty() || name == "." || name == "..") {
      Complain(path + ": name a file or folder by its own name (--as chooses "
                      "the folder in the archive)");
      return Refused;
    }
    auto parent = std::make_unique<platform::FolderHandle>();
    if (const int error = platform::FolderHandle::Open(cleaned.path(), *parent)) {
      Complain(path + ": cannot be read: " + platform::SystemReason(error));
      return Refused;
    }
    const engine::WalkScope scope{prefix, platform::PathBytes(name).toStdString(),
                                  static_cast<int>(inputs.folders.size())};
    engine::WalkInput(*parent, cleaned.path(), skip, inputs.patch.tree, scope);
    inputs.patch.roots.push_back(parent.get());
    inputs.folders.push_back(std::move(parent));
  }
  return std::nullopt;
}

// The archive is not packed into itself: its own name in its folder, or the
// file that standard output is when it is written there.
engine::Skipped skipped(const QString& archive) {
  if (archive == "-") return {{}, {}, platform::FolderHandle::IdentityOf(STDOUT_FILENO)};
  platform::FolderHandle folder;
  if (platform::FolderHandle::Open(QFileInfo(archive).path(), folder) != 0) return {};
  return {folder.Id(), platform::PathBytes(QFileInfo(archive).fileName()).toStdString(), {}};
}

int add(const QString& archive, const QStringList& paths, const QByteArray& prefix, Inputs& inputs, bool dryRun,
        bool quiet) {
  if (const std::optional<int> end = walkPaths(paths, prefix, skipped(archive), inputs)) return *end;
  engine::InputTree& tree = inputs.patch.tree;
  for (const QString& line : tree.leftOut) Complain(line);
  if (!tree.refused.isEmpty()) {
    for (const QString& line : tree.refused) Complain(line);
    Complain(archive + ": not written: " + Counted(tree.refused.size(), "input file", "input files") +
             " cannot be in an archive");
    return Refused;
  }
  const int status = WithOldEntries(archive, [&](const ToolArchive& opened,
                                                 const std::vector<engine::OldEntry>& old) {
    const engine::PatchPlan plan = engine::PlanAdd(old, opened.Source()->Length(), tree);
    return ApplyPatch(opened, old, plan, inputs.patch, dryRun, quiet);
  });
  return status == Success && !tree.leftOut.isEmpty() ? SomeFailed : status;
}

}  // namespace

int RunAdd(const QStringList& arguments) {
  CommandLine line(QStringLiteral("add"),
                   QStringLiteral("Puts files and folders into an existing archive. A file becomes an "
                                  "entry "
                                  "under its own name, a folder its files under the folder's name, as "
                                  "create "
                                  "names them; --as puts them all under a folder of the archive. An "
                                  "entry of "
                                  "the same name, without letter case, is replaced; the others are "
                                  "added. New "
                                  "names take the spelling of the archive's folders, and the directory "
                                  "keeps "
                                  "the order create gives. The bodies of the other entries are copied "
                                  "as they "
                                  "are. The names and limits of create apply; a name refused, or a "
                                  "file that "
                                  "cannot be read, leaves the archive as it was. The new archive is "
                                  "written "
                                  "under a hidden name and replaces the old one only when complete; "
                                  "with - as ARCHIVE it is read from standard input and written to "
                                  "standard output."));
  line.AddArchive();
  line.AddPositional(QStringLiteral("PATH"), QStringLiteral("The files and folders to put in."),
                     QStringLiteral("PATH..."));
  line.AddOption({"as", QStringLiteral("Put them under this folder of the archive."), QStringLiteral("FOLDER")});
  AddPackOptions(line);
  line.AddOption({"dry-run", QStringLiteral("Only print what would change (add, replace "
                                            "NAME); write nothing.")});
  if (const std::optional<int> end = line.Parse(arguments, 2, -1)) return *end;
  Inputs inputs;
  if (const std::optional<int> end = ReadPackOptions(line, inputs.patch.options)) return *end;
  const std::optional<QByteArray> prefix = prefixOf(line.Value("as"));
  if (!prefix)
    return line.UsageError(QStringLiteral("--as: Latin-1, the archive's character set, cannot hold it"));
  return add(line.Positional()[0], line.Positional().mid(1), *prefix, inputs, line.IsSet("dry-run"), line.Quiet());
}

}  // namespace tools
