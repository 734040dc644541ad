#pragma once
#include "engine/archive/ColSubTree.h"
#include "engine/archive/KeyedCollection.h"

namespace engine {

// The folders of one archive, keyed by TreePath without letter case.
class ColTrees : public KeyedCollection<ColSubTree> {};

}  // namespace engine
