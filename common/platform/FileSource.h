#pragma once
// An archive source reading a regular file through its own descriptor.
#include <QString>
#include <memory>

#include "common/platform/ArchiveSource.h"
#include "common/platform/RegularFile.h"

namespace platform {

class FileSource final : public ArchiveSource {
 public:
  // The file opened as OpenRegularFile opens it, its length taken now; null
  // when refused, with the reason in error when given.
  static std::shared_ptr<FileSource> Open(const QString& path, QString* error = nullptr);

  explicit FileSource(const OpenedFile& opened);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  qint64 Length() const override { return length_; }
  // One pread: no shared file position, so threads may read at once. Bytes
  // the file gained after it was opened are not read.
  qint64 ReadAt(qint64 position, char* buffer, qint64 length) const override;
  FolderHandle::Identity FileIdentity() const override { return id_; }

 private:
  int fd_;
  qint64 length_;
  FolderHandle::Identity id_;
};

}  // namespace platform
