#pragma once
// What ties each loaded archive to its window, for the whole run. The frame
// owns the one instance; the windows and commands reach it through the frame.
#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "engine/archive/ColDatFiles.h"

namespace tallyhold {

class DAT_Container;

// The archive window activated last.
struct ActiveDATRecord {
  QString Caption;          // the archive's full path
  int32_t Index = 0;        // archive number; 0 while none was recorded
  int32_t WindowIndex = 0;  // the window's slot in DATWindows
  int32_t FileNumber = 0;   // always equal to Index
};

// The pane of an archive window used last: it decides what Extract selected takes.
enum class Pane { None, Tree, List };

class ProgramState {
 public:
  static constexpr int32_t FirstWindowSlot = 256;

  engine::ColDatFiles DATFiles;
  // Archive windows by slot; slots below 256 stay empty and no slot is reused.
  std::vector<QPointer<DAT_Container>> DATWindows =
      std::vector<QPointer<DAT_Container>>(FirstWindowSlot);
  int32_t LastWindowIndex = 0;
  int16_t LoadFileNo = 0;
  int32_t LoadIndex = 0;
  ActiveDATRecord ActiveDAT;
  Pane ActivePane = Pane::None;

  // Appends an empty slot and returns its index (256 for the first archive).
  // A plain int: a long session opens far more than 32,767 archives without harm.
  int32_t AddWindowSlot();
  // The window in the slot; null when the slot has none or it was closed.
  DAT_Container* WindowInSlot(int32_t slot) const;
};

}  // namespace tallyhold
