#include "tallyhold/archive/Globals.h"

namespace tallyhold {

std::unique_ptr<ColDatFiles> DATFiles;
std::vector<QPointer<QObject>> DATWindows;
int32_t LastWindowIndex = 0;
int16_t LoadFileNo = 0;
int32_t LoadIndex = 0;
bool StopRequested = false;
ActiveDATRecord ActiveDAT;
QString ActivePane;

void CreateGlobals() {
  DATFiles = std::make_unique<ColDatFiles>();
  DATWindows.assign(FirstWindowSlot, nullptr);
  LastWindowIndex = 0;
  LoadFileNo = 0;
  LoadIndex = 0;
  StopRequested = false;
  ActiveDAT = {};
  ActivePane.clear();
}

int32_t AddWindowSlot() {
  DATWindows.emplace_back(nullptr);
  return static_cast<int32_t>(DATWindows.size() - 1);
}

int32_t NumberOf(const QString& text) { return text.trimmed().toInt(); }

}  // namespace tallyhold
