#include "gulpwell/ZlibFunctions.h"

#include <zlib.h>

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "gulpwell/ZlibStream.h"

namespace gulpwell {
namespace {

constexpr qsizetype InputPiece = 1024 * 1024;
constexpr char MaximumLevelFlags = static_cast<char>(0xDA);

Outcome failed(Failure failure, const QString& reason = {}) { return {failure, reason}; }

Outcome openSource(QFile& source) {
  if (!source.open(QIODevice::ReadOnly)) return failed(Failure::SourceUnreadable, source.errorString());
  if (source.size() == 0) return failed(Failure::SourceEmpty);
  return {};
}

Outcome streamFailure(int result, const ZlibStream& stream, const QSaveFile& output) {
  const QString words = QString::fromLatin1(stream.message());
  if (result == Z_ERRNO) return failed(Failure::OutputUnwritable, output.errorString());
  if (result == Z_DATA_ERROR) return failed(Failure::StreamDamaged, words);
  return failed(Failure::ZlibError, words.isEmpty() ? QString::fromLatin1(zError(result)) : words);
}

// Streams the source through zlib into the output, which takes the place of
// the destination only when everything went well.
Outcome transform(const QString& sourcePath, const QString& destinationPath,
                  ZlibStream::Mode mode, const Sink& patch) {
  QFile source(sourcePath);
  if (Outcome opened = openSource(source); !opened.ok()) return opened;
  QSaveFile output(destinationPath);
  if (!output.open(QIODevice::WriteOnly)) return failed(Failure::OutputUnwritable, output.errorString());

  ZlibStream stream(mode);
  const Sink write = [&](char* bytes, qsizetype size) {
    return patch(bytes, size) && output.write(bytes, size) == size;
  };
  QByteArray piece(InputPiece, Qt::Uninitialized);
  int result = Z_OK;
  while (result == Z_OK) {
    const qint64 got = source.read(piece.data(), piece.size());
    if (got < 0) return failed(Failure::SourceUnreadable, source.errorString());
    result = stream.Feed(QByteArrayView(piece.constData(), got), got == 0, write);
  }
  if (result != Z_STREAM_END) return streamFailure(result, stream, output);
  if (!output.commit()) return failed(Failure::OutputUnwritable, output.errorString());
  return {};
}

}  // namespace

int64_t Capacity(int64_t size) {
  return std::llround(static_cast<double>(size) + static_cast<double>(size) * 0.01 + 12.0);
}

int32_t CompressBytes(QByteArray& data) {
  const int64_t capacity = Capacity(data.size());
  QByteArray buffer(static_cast<qsizetype>(capacity + 1), Qt::Uninitialized);
  auto length = static_cast<uLongf>(capacity);
  const int result = compress(reinterpret_cast<Bytef*>(buffer.data()), &length,
                              reinterpret_cast<const Bytef*>(data.constData()),
                              static_cast<uLong>(data.size()));
  data.resize(static_cast<qsizetype>(length));
  std::memcpy(data.data(), buffer.constData(), length);
  return result;
}

int32_t UncompressBytes(QByteArray& data, int32_t expectedSize) {
  QByteArray restored;
  restored.reserve(static_cast<qsizetype>(std::max<int64_t>(0, Capacity(expectedSize))));
  ZlibStream stream(ZlibStream::Mode::Inflate);
  const Sink keep = [&](char* bytes, qsizetype size) {
    restored.append(bytes, size);
    return true;
  };
  int result = Z_OK;
  for (qsizetype at = 0; result == Z_OK; at += InputPiece) {
    const qsizetype size = std::clamp<qsizetype>(data.size() - at, 0, InputPiece);
    result = stream.Feed(QByteArrayView(data.constData() + std::min(at, data.size()), size),
                         size == 0, keep);
  }
  data = std::move(restored);
  return result == Z_STREAM_END ? Z_OK : result;
}

Outcome CheckSource(const QString& sourcePath) {
  QFile source(sourcePath);
  return openSource(source);
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
  return transform(sourcePath, CompressedName(sourcePath), ZlibStream::Mode::Deflate, markLevel);
}

Outcome UncompressFile(const QString& sourcePath, const QString& destinationPath) {
  const Sink asIs = [](char*, qsizetype) { return true; };
  return transform(sourcePath, destinationPath, ZlibStream::Mode::Inflate, asIs);
}

}  // namespace gulpwell
