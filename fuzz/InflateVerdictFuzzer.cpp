// The inflater behind every program against zlib on arbitrary bytes: the
// first byte sets the piece size the stream is fed in (0: whole), the rest is
// the stream. Both take it or both refuse it, and what they make is the same.
#include <zlib.h>

#include <QByteArray>
#include <algorithm>

#include "common/zlib/ZlibStream.h"
#include "fuzz/FuzzSupport.h"

namespace {

// More output than this is not compared: a small input can inflate to a lot.
constexpr qsizetype OutputLimit = 4 * 1024 * 1024;

struct Verdict {
  bool accepted = false;
  bool tooLong = false;
  QByteArray output;
};

Verdict zlibVerdict(const uint8_t* data, size_t size) {
  Verdict verdict;
  z_stream z{};
  inflateInit(&z);
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  QByteArray out(64 * 1024, Qt::Uninitialized);
  int code = Z_OK;
  while (code == Z_OK && !verdict.tooLong) {
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    code = inflate(&z, Z_NO_FLUSH);
    verdict.output.append(out.constData(), out.size() - z.avail_out);
    verdict.tooLong = verdict.output.size() > OutputLimit;
  }
  verdict.accepted = code == Z_STREAM_END;
  inflateEnd(&z);
  return verdict;
}

Verdict backendVerdict(const uint8_t* data, size_t size, qsizetype piece) {
  Verdict verdict;
  zlibstream::ZlibStream inflater(zlibstream::ZlibStream::Mode::Inflate);
  const zlibstream::Sink keep = [&verdict](char* bytes, qsizetype made) {
    verdict.output.append(bytes, made);
    verdict.tooLong = verdict.output.size() > OutputLimit;
    return !verdict.tooLong;
  };
  const auto total = static_cast<qsizetype>(size);
  zlibstream::Status status = zlibstream::Status::More;
  for (qsizetype at = 0; status == zlibstream::Status::More; at += piece) {
    const qsizetype length = std::min(piece, total - at);
    status = inflater.Feed(QByteArrayView(reinterpret_cast<const char*>(data) + at, length), at + length >= total,
                           keep);
  }
  verdict.accepted = status == zlibstream::Status::End;
  return verdict;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const qsizetype piece = data[0] == 0 ? static_cast<qsizetype>(size) : data[0];
  const Verdict zlib = zlibVerdict(data + 1, size - 1);
  const Verdict backend = backendVerdict(data + 1, size - 1, std::max<qsizetype>(piece, 1));
  if (zlib.tooLong || backend.tooLong) return 0;
  Require(backend.accepted == zlib.accepted, "the stream is judged as zlib judges it");
  Require(!zlib.accepted || backend.output == zlib.output, "a stream zlib takes inflates to zlib's bytes");
  return 0;
}
