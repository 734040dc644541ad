#include "bench/gulpwell/BenchOperations.h"

#include <sys/resource.h>
#include <zlib.h>

#include <QFile>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/support/ProcessMemory.h"
#include "gulpwell/ZlibFunctions.h"

namespace gulpwellbench {
namespace {

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The bare program's file handling: the whole file in one buffer, as the
// one-shot calls need it.
std::unique_ptr<Bytef[]> readWhole(const QString& path, uLong& size) {
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
  if (!file) return nullptr;
  std::fseek(file, 0, SEEK_END);
  size = static_cast<uLong>(std::ftell(file));
  std::fseek(file, 0, SEEK_SET);
  std::unique_ptr<Bytef[]> bytes(new Bytef[size]);
  const bool read = std::fread(bytes.get(), 1, size, file) == size;
  std::fclose(file);
  return read ? std::move(bytes) : nullptr;
}

bool writeWhole(const QString& path, const Bytef* bytes, uLong size) {
  std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

bool bareCompress(const QString& source, const QString& output) {
  uLong size = 0;
  const auto input = readWhole(source, size);
  if (!input) return false;
  uLongf length = compressBound(size);
  std::unique_ptr<Bytef[]> stream(new Bytef[length]);
  if (compress(stream.get(), &length, input.get(), size) != Z_OK) return false;
  stream[1] = 0xDA;
  return writeWhole(output, stream.get(), length);
}

bool bareUncompress(const QString& source, const QString& output, uLong originalSize) {
  uLong size = 0;
  const auto input = readWhole(source, size);
  if (!input) return false;
  uLongf length = originalSize;
  std::unique_ptr<Bytef[]> data(new Bytef[length]);
  if (uncompress(data.get(), &length, input.get(), size) != Z_OK) return false;
  return writeWhole(output, data.get(), length);
}

bool run(const QStringList& a) {
  const QString& op = a.value(0);
  if (op == QLatin1String("ours-compress")) return gulpwell::CompressFile(a.value(1)).ok();
  if (op == QLatin1String("ours-uncompress")) return gulpwell::UncompressFile(a.value(1), a.value(2)).ok();
  if (op == QLatin1String("bare-compress")) return bareCompress(a.value(1), a.value(2));
  if (op == QLatin1String("bare-uncompress")) return bareUncompress(a.value(1), a.value(2), a.value(3).toULong());
  return false;
}

}  // namespace

int RunOperation(const QStringList& arguments) {
  const double cpuBefore = cpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  const bool ok = run(arguments);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%d %.6f %.6f %ld\n", ok ? 1 : 0, took.count(), cpuSeconds() - cpuBefore,
              static_cast<long>(benchsupport::PeakBytes() / 1024));
  return ok ? 0 : 1;
}

Measure MeasureOperation(const QString& program, const QStringList& arguments) {
  QProcess child;
  child.start(program, QStringList{QStringLiteral("--operation")} + arguments);
  if (!child.waitForFinished(-1)) return {};
  const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
  if (fields.size() != 4) return {};
  return {fields[0] == "1", fields[1].toDouble(), fields[2].toDouble(), fields[3].toDouble() / 1024.0};
}

}  // namespace gulpwellbench
