#include "engine/archive/ArchiveOpening.h"

#include "common/platform/FileNumbers.h"

namespace engine {
namespace {

ArchiveOpening refused(int fileNo, const QString& text, bool notAnArchive = false) {
  platform::CloseFile(fileNo);
  ArchiveOpening opening;
  opening.Refusal = text;
  opening.NotAnArchive = notAnArchive;
  return opening;
}

}  // namespace

ArchiveOpening OpenArchiveFile(const QString& path) {
  const int fileNo = platform::FreeFile();
  QString reason = QStringLiteral("all %1 file numbers are in use").arg(platform::MaxFileNumber);
  if (fileNo == 0 || !platform::OpenFile(fileNo, path, &reason))
    return refused(0, QStringLiteral("The file %1 could not be opened: %2.").arg(path, reason));
  const std::shared_ptr<const platform::ArchiveSource> source = platform::SourceOf(fileNo);
  if (!dat::IsSkarrow2DAT(*source))
    return refused(fileNo, QStringLiteral("This is not a Skarrow 2 DAT file!"), true);
  ArchiveOpening opening;
  try {
    opening.Info = dat::GetFixedDATInfo(*source);
  } catch (const dat::DatError& error) {
    return refused(fileNo, QStringLiteral("%1 is not a Skarrow 2 DAT file: %2.").arg(path, error.message()));
  }
  opening.FileNo = fileNo;
  return opening;
}

}  // namespace engine
