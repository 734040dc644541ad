#pragma once
#include <QByteArray>

#include "engine/archive/ClsTreeDir.h"
#include "engine/archive/KeyedCollection.h"

namespace engine {

// One folder and its entries, in directory order.
class ColSubTree : public KeyedCollection<ClsTreeDir> {
 public:
  QByteArray TreePath;  // "ART\CRITTERS\" or "\" for the top level
};

}  // namespace engine
