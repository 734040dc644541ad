#pragma once
// An archive source over bytes in memory, for tests and fuzz targets.
#include <QByteArray>

#include "common/platform/ArchiveSource.h"

namespace platform {

class MemorySource final : public ArchiveSource {
 public:
  // pieceSize > 0: no read hands out more than that many bytes, so that a
  // reader that takes one short read for the end is caught.
  explicit MemorySource(QByteArray bytes, qint64 pieceSize = 0);

  qint64 Length() const override { return bytes_.size(); }
  qint64 ReadAt(qint64 position, char* buffer, qint64 length) const override;

 private:
  QByteArray bytes_;
  qint64 pieceSize_;
};

}  // namespace platform
