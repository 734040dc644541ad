#pragma once
#include <QByteArray>

#include "tallyhold/archive/ClsTreeDir.h"
#include "tallyhold/archive/KeyedCollection.h"

namespace tallyhold {

// One folder and its entries, in directory order.
class ColSubTree : public KeyedCollection<ClsTreeDir> {
 public:
  QByteArray TreePath;  // "ART\CRITTERS\" or "\" for the top level
};

}  // namespace tallyhold
