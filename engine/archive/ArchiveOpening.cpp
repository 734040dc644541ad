#include "engine/archive/ArchiveOpening.h"

#include "common/platform/FileSource.h"

namespace engine {
namespace {

using Kind = ArchiveRefusal::Kind;

OpenedArchive refused(Kind kind, const QString& detail) {
  OpenedArchive opened;
  opened.Refusal = {kind, detail};
  return opened;
}

}  // namespace

OpenedArchive OpenArchive(std::shared_ptr<const platform::ArchiveSource> source,
                          const std::function<void(const char* value)>& step) {
  if (!dat::IsSkarrow2DAT(*source))
    return refused(Kind::NotAnArchive, source->Length() < 4
                                           ? QStringLiteral("it is shorter than 4 bytes")
                                           : QStringLiteral("its last 4 bytes are not its length"));
  OpenedArchive opened;
  try {
    opened.Info = dat::GetFixedDATInfo(*source, step);
  } catch (const dat::DatError& error) {
    return refused(Kind::BadFixedValues, error.message());
  }
  opened.Source = std::move(source);
  return opened;
}

OpenedArchive OpenArchiveFile(const QString& path) {
  QString reason;
  std::shared_ptr<const platform::ArchiveSource> source = platform::FileSource::Open(path, &reason);
  if (!source) return refused(Kind::CannotOpen, reason);
  return OpenArchive(std::move(source));
}

}  // namespace engine
