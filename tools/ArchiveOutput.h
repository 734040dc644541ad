#pragma once
// Where create, add and delete write an archive: a hidden file in the
// archive's folder, renamed in under its name only when complete (hidden
// files left by a run that died are removed first), or standard output, a
// stream never sought. Ctrl-C and the like are caught while it is written.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/platform/FolderHandle.h"
#include "engine/pack/DatArchiveWriter.h"

namespace tools {

// What the writing is told of its output.
struct ArchiveOutput {
  QString shown;                             // the archive in messages
  bool stream = false;                       // standard output
  std::function<int()> commit;               // the archive put in place: 0 or the system's error
  std::function<void(const QString&)> tell;  // for the summary; none when quiet

  // What a stop or a failure before the end leaves of it.
  QString Left() const;
};

// Writes the archive through the writer; the exit status.
using ArchiveWriting = std::function<int(engine::DatArchiveWriter& writer, const ArchiveOutput& output)>;

// The folder the archive's path names, held; null once the reason is told.
std::shared_ptr<platform::FolderHandle> ArchiveFolder(const QString& path);

// The archive path, named name in its held folder.
int WriteArchiveFile(const QString& path, const std::shared_ptr<platform::FolderHandle>& folder,
                     const std::string& name, bool quiet, const ArchiveWriting& write);
// Check RefuseTerminal first: an archive must not go to a terminal.
int WriteStandardOutput(bool quiet, const ArchiveWriting& write);
// Refused, once told, when standard output is a terminal.
std::optional<int> RefuseTerminal();

// "ARCHIVE: REASON" told; Refused.
int RefuseArchive(const QString& archive, const QString& reason);
void TellAll(const QStringList& lines);

}  // namespace tools
