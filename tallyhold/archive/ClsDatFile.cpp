#include "tallyhold/archive/ClsDatFile.h"

namespace tallyhold {

ColTrees& ClsDatFile::ColTrees() {
  if (!trees_) trees_ = std::make_shared<tallyhold::ColTrees>();
  return *trees_;
}

}  // namespace tallyhold
