#include "engine/extract/FileDecompressor.h"

#include "engine/extract/ExtractErrors.h"

namespace engine {

using zlibstream::Status;

FileDecompressor::FileDecompressor() : stream_(zlibstream::ZlibStream::Mode::Inflate) {}

void FileDecompressor::Begin(qint64 expectedSize, Sink sink) {
  stream_.Reset();
  sink_ = std::move(sink);
  expected_ = expectedSize;
  produced_ = 0;
  status_ = Status::More;
}

void FileDecompressor::Feed(const char* data, qint64 size) {
  status_ = stream_.Feed(QByteArrayView(data, size), false,
                         [this](char* bytes, qsizetype length) { return take(bytes, length); });
  if (status_ == Status::Damaged)
    throw EntryDataError("the compressed data are damaged (" + stream_.Message() + ")");
}

bool FileDecompressor::take(const char* data, qsizetype size) {
  if (produced_ + size > expected_)
    throw EntryDataError(QStringLiteral("the compressed data inflate to more than %1 bytes").arg(expected_));
  sink_(data, size);
  produced_ += size;
  return true;
}

void FileDecompressor::End() {
  sink_ = nullptr;
  if (status_ != Status::End)
    throw EntryDataError(QStringLiteral("the compressed data end before the stream is complete"));
  if (produced_ != expected_)
    throw EntryDataError(QStringLiteral("the compressed data inflate to %1 bytes instead of %2")
                             .arg(QString::number(produced_), QString::number(expected_)));
}

}  // namespace engine
