// The zlib tool's decompression of an arbitrary file: success or a failure that
// leaves no output behind.
#include <QFile>

#include "fuzz/FuzzFile.h"
#include "gulpwell/ZlibFunctions.h"

using namespace gulpwell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString source = WriteInput(data, size, ".QZ");
  const QString destination = ScratchPath(".restored");
  QFile::remove(destination);
  const Outcome outcome = UncompressFile(source, destination);
  Require(outcome.ok() == QFile::exists(destination), "output exists exactly when it succeeded");
  return 0;
}
