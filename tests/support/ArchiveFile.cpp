#include "tests/support/ArchiveFile.h"

#include <stdexcept>

#include "common/dat/DatFormat.h"

namespace testsupport {

qint64 ArchiveFile::AddBody(const QByteArray& body) {
  const qint64 offset = out_.pos();
  write(body);
  return offset;
}

qint64 ArchiveFile::AddZeros(qint64 size) {
  const qint64 offset = out_.pos();
  if (!out_.seek(offset + size)) throw std::runtime_error("cannot leave a hole in the archive");
  return offset;
}

void ArchiveFile::AddRecord(const dat::DirRecord& record) {
  dat::AppendRecord(records_, record);
  ++count_;
}

void ArchiveFile::Add(const QByteArray& name, const QByteArray& body, bool compressed, int32_t realSize) {
  dat::DirRecord record;
  record.FilenameSize = static_cast<int32_t>(name.size());
  record.Filename = name;
  record.Type = compressed ? 1 : 0;
  record.RealSize = realSize;
  record.PackedSize = static_cast<int32_t>(body.size());
  record.Offset = static_cast<int32_t>(AddBody(body));
  AddRecord(record);
}

qint64 ArchiveFile::Finish() {
  QByteArray directory;
  dat::AppendInt32LE(directory, count_);
  write(directory);
  write(records_);
  const qint64 treeSize = 4 + records_.size();
  records_.clear();
  QByteArray trailer;
  dat::AppendInt32LE(trailer, static_cast<int32_t>(treeSize));
  dat::AppendInt32LE(trailer, static_cast<int32_t>(out_.pos() + 8));
  write(trailer);
  return out_.pos();
}

void ArchiveFile::write(const QByteArray& bytes) {
  if (out_.write(bytes) != bytes.size()) throw std::runtime_error("cannot write the archive");
}

}  // namespace testsupport
