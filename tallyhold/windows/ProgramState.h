#pragma once
// What ties each loaded archive to its window, for the whole run. The frame
// owns the one instance and alone changes it, following its archive windows.
#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "engine/archive/ColDatFiles.h"
#include "tallyhold/windows/Pane.h"

namespace tallyhold {

class DAT_Container;

// The archive window the commands work on: the MDI area's active one, else
// the one active last; all empty when no archive window is open.
struct ActiveDATRecord {
  QString Caption;          // the archive's full path
  int32_t Index = 0;        // archive number; 0 before the scan stored it
  int32_t WindowIndex = 0;  // the window's slot in DATWindows
  int32_t FileNumber = 0;   // always equal to Index
};

class ProgramState {
 public:
  static constexpr int32_t FirstWindowSlot = 256;

  engine::ColDatFiles DATFiles;
  // Archive windows by slot; slots below 256 stay empty and no slot is reused.
  std::vector<QPointer<DAT_Container>> DATWindows = std::vector<QPointer<DAT_Container>>(FirstWindowSlot);
  ActiveDATRecord ActiveDAT;
  Pane ActivePane = Pane::None;

  // Appends an empty slot and returns its index (256 for the first archive).
  // A plain int: a long session opens far more than 32,767 archives without harm.
  int32_t AddWindowSlot();
  // The window in the slot; null when the slot has none or it was closed.
  DAT_Container* WindowInSlot(int32_t slot) const;
  // The window of the slot added last; null before the first or once it closed.
  DAT_Container* LastWindow() const { return WindowInSlot(static_cast<int32_t>(DATWindows.size()) - 1); }
};

}  // namespace tallyhold
