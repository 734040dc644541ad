#include "engine/pack/DatArchiveWriter.h"

#include <fcntl.h>

#include <algorithm>
#include <limits>
#include <memory>

#include "common/dat/DatFormat.h"
#include "common/dat/DatRecord.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "common/platform/WriteAll.h"
#include "engine/pack/FileCopy.h"
#include "engine/pack/HeldBody.h"

namespace engine {
namespace {

constexpr qint64 Largest = std::numeric_limits<int32_t>::max();

[[noreturn]] void tooLarge() {
  throw ArchiveWriteError(QStringLiteral("the archive would pass 2 GiB, the most its 32-bit offsets can address"));
}

}  // namespace

DatArchiveWriter::DatArchiveWriter(platform::SafeFile& out) : file_(&out), out_(out.Descriptor()) {}

DatArchiveWriter::DatArchiveWriter(int stream) : out_(stream), held_(std::make_unique<HeldBody>()) {}

DatArchiveWriter::~DatArchiveWriter() = default;

void DatArchiveWriter::Reserve(qsizetype entries, qsizetype nameBytes) {
  records_.reserve(entries * dat::RecordFixedSize + nameBytes);
  recordStarts_.reserve(static_cast<std::size_t>(entries) + 1);
}

void DatArchiveWriter::WriteBody(const char* data, qint64 size) {
  if (written_ + size > Largest) tooLarge();
  if (!held_) return write(data, size);
  check(held_->Append(data, size));
  written_ += size;
}

void DatArchiveWriter::CopyBodies(int from, qint64 offset, qint64 size) {
  if (written_ + size > Largest) tooLarge();
  check(CopyRange(from, offset, out_, size));
  written_ += size;
  startWriteback();
}

void DatArchiveWriter::DropBody() {
  if (held_)
    held_->Clear();
  else
    check(file_->Truncate(bodyStart_));
  written_ = bodyStart_;
  writtenBack_ = std::min(writtenBack_, written_);
}

void DatArchiveWriter::EndEntry(QByteArrayView name, bool compressed, qint64 realSize) {
  if (held_) check(held_->PourInto(out_));
  EndCopiedEntry(name, compressed, realSize, written_ - bodyStart_);
}

void DatArchiveWriter::EndCopiedEntry(QByteArrayView name, bool compressed, qint64 realSize, qint64 packedSize) {
  if (realSize > Largest) tooLarge();
  dat::DirRecordView record;
  record.FilenameSize = static_cast<int32_t>(name.size());
  record.Filename = name;
  record.Type = compressed ? 1 : 0;
  record.RealSize = static_cast<int32_t>(realSize);
  record.PackedSize = static_cast<int32_t>(packedSize);
  record.Offset = static_cast<int32_t>(bodyStart_);
  recordStarts_.push_back(records_.size());
  dat::AppendRecord(records_, record);
  ++count_;
  bodyStart_ += packedSize;
}

void DatArchiveWriter::Finish(const std::vector<int>& recordOrder) {
  const qint64 treeSize = 4 + records_.size();
  const qint64 dataSize = written_ + treeSize + dat::TrailerSize;
  if (dataSize > Largest) tooLarge();
  QByteArray tail;
  dat::AppendInt32LE(tail, count_);
  write(tail.constData(), tail.size());
  if (recordOrder.empty())
    write(records_.constData(), records_.size());
  else
    writeInOrder(recordOrder);
  tail.clear();
  dat::AppendInt32LE(tail, static_cast<int32_t>(treeSize));
  dat::AppendInt32LE(tail, static_cast<int32_t>(dataSize));
  write(tail.constData(), tail.size());
}

// Through a buffer of its own, not a second directory in memory.
void DatArchiveWriter::writeInOrder(const std::vector<int>& recordOrder) {
  constexpr qsizetype Buffered = 256 << 10;
  recordStarts_.push_back(records_.size());
  QByteArray buffer;
  buffer.reserve(Buffered + dat::RecordFixedSize + dat::NameBufferSize);
  for (const int entry : recordOrder) {
    buffer.append(records_.constData() + recordStarts_[entry], recordStarts_[entry + 1] - recordStarts_[entry]);
    if (buffer.size() < Buffered) continue;
    write(buffer.constData(), buffer.size());
    buffer.resize(0);
  }
  write(buffer.constData(), buffer.size());
}

void DatArchiveWriter::check(int error) {
  if (error) throw ArchiveWriteError(platform::SystemReason(error));
}

// A file system that writes a file's data out when a rename replaces
// another with it (ext4) then finds most of it written already: the
// writing overlaps the copying instead of following it.
void DatArchiveWriter::startWriteback() {
  constexpr qint64 Stretch = 64 << 20;
  if (!file_ || written_ - writtenBack_ < Stretch) return;
  ::sync_file_range(out_, writtenBack_, written_ - writtenBack_, SYNC_FILE_RANGE_WRITE);
  writtenBack_ = written_;
}

void DatArchiveWriter::write(const char* data, qint64 size) {
  check(file_ ? file_->Write(data, size) : platform::WriteAll(out_, data, size));
  written_ += size;
  startWriteback();
}

}  // namespace engine
