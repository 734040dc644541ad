#include "tallyhold/windows/ProgramState.h"

#include "tallyhold/windows/DAT_Container.h"

namespace tallyhold {

int32_t ProgramState::AddWindowSlot() {
  DATWindows.emplace_back();
  return static_cast<int32_t>(DATWindows.size() - 1);
}

DAT_Container* ProgramState::WindowInSlot(int32_t slot) const {
  if (slot < 0 || static_cast<std::size_t>(slot) >= DATWindows.size()) return nullptr;
  return DATWindows[static_cast<std::size_t>(slot)];
}

}  // namespace tallyhold
