// The record reader's load of a file and the display of its first, a middle and
// its last record.
#include "common/platform/MemorySource.h"
#include "fuzz/FuzzSupport.h"
#include "ledgerlamp/DATFunctions.h"
#include "ledgerlamp/ShowRecord.h"

using namespace ledgerlamp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto source = std::make_shared<platform::MemorySource>(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), 5);
  try {
    const ReaderState state = ReadDAT(QStringLiteral("fuzz.dat"), std::move(source), [](const QString&) {});
    Require(state.RecordCount() <= state.FilesTotal, "no more records than FilesTotal");
    for (int32_t index : {0, state.RecordCount() / 2, state.RecordCount() - 1}) {
      try {
        if (index >= 0) ShowRecord(state, index);
      } catch (const dat::DatError&) {
      }
    }
  } catch (const LoadError&) {
  }
  return 0;
}
