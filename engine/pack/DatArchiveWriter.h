#pragma once
// Writes a DAT archive front to back: the body of each entry, then FilesTotal
// and one directory record per entry, then TreeSize and DataSize. Offsets and
// sizes are signed 32-bit, so an archive that would pass 2 GiB - 1 is refused
// as soon as it would. The records are kept in memory until Finish.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace platform {
class SafeFile;
}

namespace engine {

// The output could not be written (the system's reason), or would pass 2 GiB.
class ArchiveWriteError : public std::runtime_error {
 public:
  explicit ArchiveWriteError(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
  const QString& reason() const { return reason_; }

 private:
  QString reason_;
};

class HeldBody;

class DatArchiveWriter {
 public:
  explicit DatArchiveWriter(platform::SafeFile& out);
  // A stream (standard output, a pipe) written front to back and never
  // sought: each body is held until its entry ends, so that one taken back
  // never reaches it.
  explicit DatArchiveWriter(int stream);
  ~DatArchiveWriter();
  DatArchiveWriter(const DatArchiveWriter&) = delete;
  DatArchiveWriter& operator=(const DatArchiveWriter&) = delete;

  // Room for the records of this many entries with names of these bytes in
  // all, when they are known before: the records then grow without copies.
  void Reserve(qsizetype entries, qsizetype nameBytes);
  // The next bytes of the current entry's body. Throws ArchiveWriteError.
  void WriteBody(const char* data, qint64 size);
  // The next bytes of the bodies, copied from a file: one body or several
  // that lie next to each other there. Throws ArchiveWriteError.
  void CopyBodies(int from, qint64 offset, qint64 size);
  // Takes back what was written of the current entry's body.
  void DropBody();
  // Ends the current entry: its record, with the body written since the last
  // entry as its packed bytes. name: Latin-1 with "\" between folders.
  void EndEntry(QByteArrayView name, bool compressed, qint64 realSize);
  // Ends an entry whose body is the next packedSize bytes written, when
  // several were copied at once.
  void EndCopiedEntry(QByteArrayView name, bool compressed, qint64 realSize, qint64 packedSize);
  // The directory and the trailer; the archive is complete. recordOrder:
  // the records in this order, each by its entry's place among those ended
  // (every one once); empty: in the order the entries were ended.
  void Finish(const std::vector<int>& recordOrder = {});

  qint64 Size() const { return written_; }
  // Where the current entry's body starts.
  qint64 BodyStart() const { return bodyStart_; }
  int Entries() const { return count_; }

 private:
  void writeInOrder(const std::vector<int>& recordOrder);
  static void check(int error);
  void write(const char* data, qint64 size);
  void startWriteback();

  platform::SafeFile* file_ = nullptr;  // none for a stream
  int out_;
  std::unique_ptr<HeldBody> held_;
  qint64 written_ = 0;
  qint64 bodyStart_ = 0;
  qint64 writtenBack_ = 0;  // the file's bytes before this are being written out
  QByteArray records_;
  std::vector<qint64> recordStarts_;  // in records_
  int32_t count_ = 0;
};

}  // namespace engine
