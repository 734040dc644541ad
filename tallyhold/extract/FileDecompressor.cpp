#include "tallyhold/extract/FileDecompressor.h"

#include <QFile>
#include <QFileInfo>

#include "tallyhold/extract/ExtractErrors.h"
#include "tallyhold/extract/OutputFile.h"

namespace tallyhold {
namespace {

constexpr qint64 SourceChunk = 1 << 20;

std::string encoded(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void FileDecompressor::Decompress() {
  QFile source(SourceFile);
  if (!source.open(QIODevice::ReadOnly))
    throw EntryDataError(QStringLiteral("%1 could not be read: %2").arg(SourceFile, source.errorString()));
  const QFileInfo target(TargetFile);
  OutputFile out(encoded(target.absolutePath()), encoded(target.fileName()), false);
  Begin(ExpectedSize, out);
  input_.resize(SourceChunk);
  for (;;) {
    const qint64 got = source.read(input_.data(), SourceChunk);
    if (got < 0)
      throw EntryDataError(QStringLiteral("%1 could not be read: %2").arg(SourceFile, source.errorString()));
    if (got == 0) break;
    Feed(input_.data(), got);
  }
  End();
  out.Commit();
}

void FileDecompressor::Begin(qint64 expectedSize, OutputFile& out) {
  inflater_.Begin(expectedSize);
  sink_ = [&out](const char* data, qint64 size) { out.Write(data, size); };
}

void FileDecompressor::Feed(const char* data, qint64 size) { inflater_.Feed(data, size, sink_); }

void FileDecompressor::End() {
  sink_ = nullptr;
  inflater_.Finish();
}

}  // namespace tallyhold
