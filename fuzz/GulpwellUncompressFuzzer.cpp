// The zlib tool's decompression of an arbitrary file: success or a failure that
// leaves no output behind. The tool works on files, so the input is one.
#include <QFile>

#include "fuzz/FuzzSupport.h"
#include "gulpwell/ZlibFunctions.h"

using namespace gulpwell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString source = ScratchPath(".QZ");
  QFile input(source);
  Require(input.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              input.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
                  static_cast<qint64>(size),
          "scratch file cannot be written");
  input.close();
  const QString destination = ScratchPath(".restored");
  QFile::remove(destination);
  const Outcome outcome = UncompressFile(source, destination);
  Require(outcome.ok() == QFile::exists(destination), "output exists exactly when it succeeded");
  return 0;
}
