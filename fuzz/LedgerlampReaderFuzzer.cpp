// The record reader's load of a file and the display of its first, a middle and
// its last record.
#include "common/platform/FileNumbers.h"
#include "fuzz/FuzzFile.h"
#include "ledgerlamp/DATFunctions.h"
#include "ledgerlamp/ShowRecord.h"

using namespace ledgerlamp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = WriteInput(data, size);
  try {
    const ReaderState state = LoadDAT(path, [](const QString&) {});
    Require(state.RecordCount() <= state.FilesTotal, "no more records than FilesTotal");
    for (int32_t index : {0, state.RecordCount() / 2, state.RecordCount() - 1}) {
      try {
        if (index >= 0) ShowRecord(state, index);
      } catch (const dat::DatError&) {
      }
    }
  } catch (const LoadError&) {
  }
  platform::CloseAll();
  return 0;
}
