#include "gulpwell/ZlibFunctions.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "common/platform/FolderHandle.h"
#include "common/platform/RegularFile.h"
#include "common/platform/SafeFile.h"
#include "common/platform/SystemReason.h"
#include "common/zlib/ZlibStream.h"

namespace gulpwell {
namespace {

using zlibstream::Sink;
using zlibstream::Status;
using zlibstream::ZlibStream;

constexpr qsizetype InputPiece = 1024 * 1024;
constexpr char MaximumLevelFlags = static_cast<char>(0xDA);

Outcome failed(Failure failure, const QString& reason = {}) { return {failure, reason}; }

Outcome unwritable(int error) { return failed(Failure::OutputUnwritable, platform::SystemReason(error)); }

// Only a regular file is read: a FIFO or device would be waited on for good.
Outcome openSource(const QString& sourcePath, QFile& source, platform::FolderHandle::Identity* id = nullptr) {
  const platform::OpenedFile opened = platform::OpenRegularFile(sourcePath);
  if (opened.fd < 0) return failed(Failure::SourceUnreadable, opened.refusal);
  if (id) *id = opened.id;
  if (!source.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(opened.fd);
    return failed(Failure::SourceUnreadable, source.errorString());
  }
  if (opened.length == 0) return failed(Failure::SourceEmpty);
  return {};
}

constexpr char HiddenPrefix[] = "gulpwell";

// Where the output goes: its folder held open and the hidden file in it.
struct Output {
  std::string name;
  platform::SafeFile file;
};

Outcome openOutput(const QString& destinationPath, const platform::FolderHandle::Identity& source,
                   Output& output) {
  const QFileInfo target(destinationPath);
  platform::FolderHandle folder;
  if (const int error = platform::FolderHandle::Open(target.absolutePath(), folder)) return unwritable(error);
  output.name = QFile::encodeName(target.fileName()).toStdString();
  if (folder.IdOf(output.name) == source) return failed(Failure::OutputIsSource);
  if (const int error = platform::SafeFile::CheckName(folder, output.name)) return unwritable(error);
  // An output left half-written by a Gulpwell that died goes now.
  platform::SafeFile::RemoveStale(folder, HiddenPrefix);
  if (const int error = output.file.Create(std::make_shared<const platform::FolderHandle>(std::move(folder)),
                                           HiddenPrefix))
    return unwritable(error);
  return {};
}

Outcome streamFailure(Status status, const ZlibStream& stream, int writeError) {
  if (status == Status::SinkRefused) return unwritable(writeError);
  return failed(Failure::StreamDamaged, stream.Message());
}

// Streams the source through zlib into the output, which takes the place of
// the destination only when everything went well.
Outcome transform(const QString& sourcePath, const QString& destinationPath, ZlibStream::Mode mode,
                  const Sink& patch) {
  QFile source;
  platform::FolderHandle::Identity sourceId;
  if (Outcome opened = openSource(sourcePath, source, &sourceId); !opened.ok()) return opened;
  Output output;
  if (Outcome opened = openOutput(destinationPath, sourceId, output); !opened.ok()) return opened;

  ZlibStream stream(mode);
  int writeError = 0;
  const Sink write = [&](char* bytes, qsizetype size) {
    return patch(bytes, size) && (writeError = output.file.Write(bytes, size)) == 0;
  };
  QByteArray piece(InputPiece, Qt::Uninitialized);
  Status status = Status::More;
  while (status == Status::More) {
    const qint64 got = source.read(piece.data(), piece.size());
    if (got < 0) return failed(Failure::SourceUnreadable, source.errorString());
    status = stream.Feed(QByteArrayView(piece.constData(), got), got == 0, write);
  }
  if (status != Status::End) return streamFailure(status, stream, writeError);
  if (const int error = output.file.Commit(output.name)) return unwritable(error);
  return {};
}

// zlib's own memory, or a buffer, may be refused; that is told, not fatal.
Outcome transformOrTell(const QString& sourcePath, const QString& destinationPath, ZlibStream::Mode mode,
                        const Sink& patch) {
  try {
    return transform(sourcePath, destinationPath, mode, patch);
  } catch (const std::bad_alloc&) {
    return failed(Failure::ZlibError, QStringLiteral("not enough memory"));
  }
}

}  // namespace

Outcome CheckSource(const QString& sourcePath) {
  QFile source;
  return openSource(sourcePath, source);
}

QString CompressedName(const QString& sourcePath) { return sourcePath + QStringLiteral(".QZ"); }

Outcome CompressFile(const QString& sourcePath) {
  qint64 written = 0;
  // zlib writes 78 9C; the second byte becomes DA, which declares the
  // maximum level and keeps the header valid.
  const Sink markLevel = [&written](char* bytes, qsizetype size) {
    if (written <= 1 && written + size > 1) bytes[1 - written] = MaximumLevelFlags;
    written += size;
    return true;
  };
  return transformOrTell(sourcePath, CompressedName(sourcePath), ZlibStream::Mode::Deflate, markLevel);
}

Outcome UncompressFile(const QString& sourcePath, const QString& destinationPath) {
  const Sink asIs = [](char*, qsizetype) { return true; };
  return transformOrTell(sourcePath, destinationPath, ZlibStream::Mode::Inflate, asIs);
}

}  // namespace gulpwell
