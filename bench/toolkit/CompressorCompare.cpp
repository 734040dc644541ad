#include "CompressorCompare.h"

#include "BenchRun.h"

#include <libdeflate.h>
#include <zlib.h>

#include <QDirIterator>
#include <QFile>
#include <stdexcept>
#include <vector>

namespace toolkitbench {

using extractbench::Clock;
using extractbench::Since;

CompressorFigures CompareCompressors(const QString& folder, int level) {
  CompressorFigures figures;
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
  std::vector<char> out;
  QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    QFile file(files.next());
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read an input file");
    const QByteArray data = file.readAll();
    ++figures.files;
    figures.rawBytes += data.size();
    out.resize(compressBound(static_cast<uLong>(data.size())));
    Clock::time_point start = Clock::now();
    uLongf length = static_cast<uLongf>(out.size());
    compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(data.constData()),
              static_cast<uLong>(data.size()), level);
    figures.zlibSeconds += Since(start);
    figures.zlibBytes += std::min<qint64>(static_cast<qint64>(length), data.size());
    start = Clock::now();
    const std::size_t made = libdeflate_zlib_compress(compressor, data.constData(), data.size(), out.data(),
                                                      out.size());
    figures.libdeflateSeconds += Since(start);
    figures.libdeflateBytes += std::min<qint64>(static_cast<qint64>(made), data.size());
  }
  libdeflate_free_compressor(compressor);
  return figures;
}

}  // namespace toolkitbench
