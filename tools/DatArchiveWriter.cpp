#include "tools/DatArchiveWriter.h"

#include <QtEndian>
#include <limits>

#include "common/dat/DatFormat.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "tallyhold/extract/ExtractErrors.h"

namespace tools {
namespace {

constexpr qint64 Largest = std::numeric_limits<int32_t>::max();

void appendInt32(QByteArray& out, qint64 value) {
  char bytes[4];
  qToLittleEndian<qint32>(static_cast<qint32>(value), bytes);
  out.append(bytes, 4);
}

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
  appendInt32(records_, name.size());
  records_.append(name);
  records_.append(static_cast<char>(compressed ? 1 : 0));
  appendInt32(records_, realSize);
  appendInt32(records_, written_ - bodyStart_);
  appendInt32(records_, bodyStart_);
  ++count_;
  bodyStart_ = written_;
}

void DatArchiveWriter::Finish() {
  const qint64 treeSize = 4 + records_.size();
  const qint64 dataSize = written_ + treeSize + dat::TrailerSize;
  if (dataSize > Largest) tooLarge();
  QByteArray tail;
  appendInt32(tail, count_);
  write(tail.constData(), tail.size());
  write(records_.constData(), records_.size());
  tail.clear();
  appendInt32(tail, treeSize);
  appendInt32(tail, dataSize);
  write(tail.constData(), tail.size());
}

void DatArchiveWriter::write(const char* data, qint64 size) {
  if (const int error = out_.Write(data, size)) throw ArchiveWriteError(platform::SystemReason(error));
  written_ += size;
}

}  // namespace tools
