#pragma once
#include "tallyhold/archive/ColSubTree.h"
#include "tallyhold/archive/KeyedCollection.h"

namespace tallyhold {

// The folders of one archive, keyed by TreePath without letter case.
class ColTrees : public KeyedCollection<ColSubTree> {};

}  // namespace tallyhold
