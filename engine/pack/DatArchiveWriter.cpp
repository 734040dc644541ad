#include "engine/pack/DatArchiveWriter.h"

#include <limits>

#include "common/dat/DatFormat.h"
#include "common/dat/DatRecord.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"

namespace engine {
namespace {

constexpr qint64 Largest = std::numeric_limits<int32_t>::max();

[[noreturn]] void tooLarge() {
  throw ArchiveWriteError(QStringLiteral("the archive would pass 2 GiB, the most its 32-bit offsets can address"));
}

}  // namespace

DatArchiveWriter::DatArchiveWriter(platform::SafeFile& out) : out_(out) {}

void DatArchiveWriter::WriteBody(const char* data, qint64 size) {
  if (written_ + size > Largest) tooLarge();
  write(data, size);
}

void DatArchiveWriter::DropBody() {
  if (const int error = out_.Truncate(bodyStart_)) throw ArchiveWriteError(platform::SystemReason(error));
  written_ = bodyStart_;
}

void DatArchiveWriter::EndEntry(const QByteArray& name, bool compressed, qint64 realSize) {
  if (realSize > Largest) tooLarge();
  dat::DirRecord record;
  record.FilenameSize = static_cast<int32_t>(name.size());
  record.Filename = name;
  record.Type = compressed ? 1 : 0;
  record.RealSize = static_cast<int32_t>(realSize);
  record.PackedSize = static_cast<int32_t>(written_ - bodyStart_);
  record.Offset = static_cast<int32_t>(bodyStart_);
  dat::AppendRecord(records_, record);
  ++count_;
  bodyStart_ = written_;
}

void DatArchiveWriter::Finish() {
  const qint64 treeSize = 4 + records_.size();
  const qint64 dataSize = written_ + treeSize + dat::TrailerSize;
  if (dataSize > Largest) tooLarge();
  QByteArray tail;
  dat::AppendInt32LE(tail, count_);
  write(tail.constData(), tail.size());
  write(records_.constData(), records_.size());
  tail.clear();
  dat::AppendInt32LE(tail, static_cast<int32_t>(treeSize));
  dat::AppendInt32LE(tail, static_cast<int32_t>(dataSize));
  write(tail.constData(), tail.size());
}

void DatArchiveWriter::write(const char* data, qint64 size) {
  if (const int error = out_.Write(data, size)) throw ArchiveWriteError(platform::SystemReason(error));
  written_ += size;
}

}  // namespace engine
