#pragma once
// Writes an archive for tests, benchmarks and fuzz seeds, front to back: the
// bodies as they come, then FilesTotal, the records and the trailer. Every
// value is written as given, so that a record may lie about its body.
#include <QByteArray>
#include <QIODevice>
#include <QtGlobal>

#include "common/dat/DatRecord.h"

namespace testsupport {

class ArchiveFile {
 public:
  // out is open for writing and stays open for the writer's life.
  explicit ArchiveFile(QIODevice& out) : out_(out) {}

  // Appends a body; returns its offset from the start of the archive.
  qint64 AddBody(const QByteArray& body);
  // Appends size zero bytes as a hole, where the device can seek (a file).
  qint64 AddZeros(qint64 size);
  void AddRecord(const dat::DirRecord& record);
  // The body and its record, the offset and packed size taken from the body.
  void Add(const QByteArray& name, const QByteArray& body, bool compressed, int32_t realSize);
  // FilesTotal, the records and the trailer; returns the archive's length.
  qint64 Finish();

 private:
  void write(const QByteArray& bytes);

  QIODevice& out_;
  QByteArray records_;
  int32_t count_ = 0;
};

}  // namespace testsupport
