// Inflates zlib streams held in memory through bare zlib, bare ISA-L and
// ZlibStream (ISA-L, every piece also read by DeflateCheck so that a stream is
// judged as zlib judges it), and the check alone, all in the same pieces, and
// prints the output rate of each: the cost of zlib's verdict beside the rest.
#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <time.h>

#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "common/zlib/DeflateCheck.h"
#include "common/zlib/ZlibStream.h"
#include "tests/support/DatWriter.h"

namespace {

// This thread's processor time: the machine may be shared, and every run is on one thread.
double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

constexpr qsizetype InputSize = 64 * 1024 * 1024;
constexpr qsizetype InputPiece = 1024 * 1024;
constexpr qsizetype OutputPiece = 256 * 1024;
constexpr int Rounds = 5;

// A run over the stream: the number of bytes it made (or checked), -1 on failure.
using Run = std::function<qint64(const QByteArray& stream)>;

qint64 bareZlib(const QByteArray& stream) {
  z_stream z{};
  inflateInit(&z);
  QByteArray out(OutputPiece, Qt::Uninitialized);
  int code = Z_OK;
  for (qsizetype at = 0; code == Z_OK && at < stream.size(); at += InputPiece) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.constData() + at));
    z.avail_in = static_cast<uInt>(std::min(InputPiece, stream.size() - at));
    do {
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      code = inflate(&z, Z_NO_FLUSH);
    } while (code == Z_OK && z.avail_out == 0);
  }
  const qint64 made = code == Z_STREAM_END ? static_cast<qint64>(z.total_out) : -1;
  inflateEnd(&z);
  return made;
}

qint64 bareIsal(const QByteArray& stream) {
  static inflate_state isal;
  isal_inflate_init(&isal);
  isal.crc_flag = ISAL_ZLIB;
  QByteArray out(OutputPiece, Qt::Uninitialized);
  for (qsizetype at = 0; at < stream.size() && isal.block_state != ISAL_BLOCK_FINISH; at += InputPiece) {
    isal.next_in = reinterpret_cast<uint8_t*>(const_cast<char*>(stream.constData() + at));
    isal.avail_in = static_cast<uint32_t>(std::min(InputPiece, stream.size() - at));
    do {
      isal.next_out = reinterpret_cast<uint8_t*>(out.data());
      isal.avail_out = static_cast<uint32_t>(out.size());
      if (isal_inflate(&isal) != ISAL_DECOMP_OK) return -1;
    } while (isal.avail_out == 0);
  }
  return isal.block_state == ISAL_BLOCK_FINISH ? isal.total_out : -1;
}

qint64 judgedStream(const QByteArray& stream) {
  zlibstream::ZlibStream inflater(zlibstream::ZlibStream::Mode::Inflate);
  qint64 made = 0;
  const zlibstream::Sink count = [&made](char*, qsizetype size) {
    made += size;
    return true;
  };
  zlibstream::Status status = zlibstream::Status::More;
  for (qsizetype at = 0; status == zlibstream::Status::More; at += InputPiece) {
    const qsizetype size = std::min(InputPiece, stream.size() - at);
    status = inflater.Feed(QByteArrayView(stream.constData() + at, size), at + size >= stream.size(), count);
  }
  return status == zlibstream::Status::End ? made : -1;
}

qint64 checkAlone(const QByteArray& stream) {
  zlibstream::DeflateCheck check;
  for (qsizetype at = 0; at < stream.size(); at += InputPiece) {
    const qsizetype size = std::min(InputPiece, stream.size() - at);
    if (!check.Read(reinterpret_cast<const unsigned char*>(stream.constData() + at), size).fault.isEmpty())
      return -1;
  }
  return stream.size();
}

// The fastest of the rounds, in MB of output a second (-1 when a run failed).
double rate(const Run& run, const QByteArray& stream, qint64 outputSize) {
  double best = 1e9;
  for (int round = 0; round < Rounds; ++round) {
    const double start = cpuSeconds();
    if (run(stream) < 0) return -1;
    best = std::min(best, cpuSeconds() - start);
  }
  return static_cast<double>(outputSize) / 1e6 / best;
}

QByteArray mixed() {
  QByteArray bytes = testsupport::SampleText(InputSize, 11);
  QRandomGenerator noise(18);
  for (qsizetype at = 0; at + 4096 <= bytes.size(); at += 3 * 4096)
    noise.fillRange(reinterpret_cast<quint32*>(bytes.data() + at), 1024);
  return bytes;
}

}  // namespace

int main() {
  const struct {
    const char* name;
    QByteArray data;
  } inputs[] = {{"text-like", testsupport::SampleText(InputSize, 7)}, {"mixed", mixed()}};
  std::printf("%-10s %8s %10s %10s %12s %12s %10s\n", "input", "ratio", "zlib MB/s", "ISA-L MB/s", "judged MB/s",
              "check MB/s", "judged/ISA-L");
  for (const auto& input : inputs) {
    const QByteArray stream = testsupport::ZlibCompress(input.data, 6);
    const qint64 size = input.data.size();
    const double zlib = rate(bareZlib, stream, size);
    const double isal = rate(bareIsal, stream, size);
    const double judged = rate(judgedStream, stream, size);
    const double check = rate(checkAlone, stream, size);
    std::printf("%-10s %8.2f %10.0f %10.0f %12.0f %12.0f %10.2f\n", input.name,
                static_cast<double>(size) / static_cast<double>(stream.size()), zlib, isal, judged, check,
                judged / isal);
  }
  std::printf("\nMB of output a second, fastest of %d rounds in the thread's processor time; streams held in "
              "memory,\n"
              "fed in %lld KiB pieces, inflated into %lld KiB of output at a time; zlib level 6;\n"
              "judged: ZlibStream (ISA-L after DeflateCheck); check: DeflateCheck alone\n",
              Rounds, static_cast<long long>(InputPiece / 1024), static_cast<long long>(OutputPiece / 1024));
  return 0;
}
