#pragma once
// The two candidates for create's whole-body compression, zlib and
// libdeflate, at the same level on the same files, one thread: the time each
// takes and the size of the streams (a body whose stream is not smaller is
// counted stored, as create stores it).
#include <QString>

namespace toolkitbench {

struct CompressorFigures {
  double zlibSeconds = 0;
  double libdeflateSeconds = 0;
  qint64 zlibBytes = 0;
  qint64 libdeflateBytes = 0;
  qint64 rawBytes = 0;
  int files = 0;
};

// Every regular file below the folder, at the given level.
CompressorFigures CompareCompressors(const QString& folder, int level);

}  // namespace toolkitbench
