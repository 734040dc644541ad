#include "tools/ArchiveOutput.h"

#include <unistd.h>

#include <QFileInfo>

#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "tools/StopSignal.h"
#include "tools/ToolCommand.h"

namespace tools {
namespace {

// The hidden file of an archive being written; one left by a run that died
// is removed by the next run into its folder.
constexpr char HiddenPrefix[] = "skarrow2-dat";

const QString StandardOutputName = QStringLiteral("standard output");

}  // namespace

QString ArchiveOutput::Left() const {
  // A stream has had the bodies before the stop or the failure.
  return stream ? QStringLiteral("it is cut short") : QStringLiteral("nothing was written");
}

std::shared_ptr<platform::FolderHandle> ArchiveFolder(const QString& path) {
  auto folder = std::make_shared<platform::FolderHandle>();
  if (const int error = platform::FolderHandle::Open(QFileInfo(path).path(), *folder)) {
    RefuseArchive(path, "cannot write in its folder: " + platform::SystemReason(error));
    return nullptr;
  }
  return folder;
}

int WriteArchiveFile(const QString& path, const std::shared_ptr<platform::FolderHandle>& folder,
                     const std::string& name, bool quiet, const ArchiveWriting& write) {
  platform::SafeFile::RemoveStale(*folder, HiddenPrefix);
  // Caught before the hidden file exists, so that no signal finds it unowned.
  const StopSignal stop;
  platform::SafeFile file;
  if (const int error = file.Create(folder, HiddenPrefix))
    return RefuseArchive(path, "cannot be written: " + platform::SystemReason(error));
  try {
    engine::DatArchiveWriter writer(file);
    return write(writer, {path, false, [&] { return file.Commit(name); },
                          quiet ? std::function<void(const QString&)>() : Print});
  } catch (const engine::ArchiveWriteError& error) {
    return RefuseArchive(path, "not written: " + error.reason());
  }
}

// What a person reads goes to standard error, since the archive is on standard output.
int WriteStandardOutput(bool quiet, const ArchiveWriting& write) {
  const StopSignal stop;
  try {
    engine::DatArchiveWriter writer(STDOUT_FILENO);
    return write(writer, {StandardOutputName, true, [] { return 0; },
                          quiet ? std::function<void(const QString&)>() : Complain});
  } catch (const engine::ArchiveWriteError& error) {
    return RefuseArchive(StandardOutputName, "not written whole: " + error.reason());
  }
}

std::optional<int> RefuseTerminal() {
  if (::isatty(STDOUT_FILENO) != 1) return std::nullopt;
  return RefuseArchive(StandardOutputName, "is a terminal; redirect it to a file or a pipe");
}

int RefuseArchive(const QString& archive, const QString& reason) {
  Complain(archive + ": " + reason);
  return Refused;
}

void TellAll(const QStringList& lines) {
  for (const QString& line : lines) Complain(line);
}

}  // namespace tools
