#pragma once
// The tree pane's nodes when it shows every folder of an archive, whatever its
// depth and the length of its names, built from the archive's folders once the
// scan has filed them.
#include <vector>

#include "engine/archive/ColTrees.h"
#include "engine/archive/FolderTree.h"

namespace engine {

// One node per folder path, letter case not counting, for every folder that
// holds entries and every folder above one; none for the top level, which the
// root node stands for. Each level is named by its spelling met first, in the
// order the folders were met, parents before their children. A node's Key is
// its folder path in those spellings, with the trailing "\" ("ART\ITEMS\"),
// which no other node's key ends with.
std::vector<TreeNode> AllFolderNodes(const ColTrees& trees);

}  // namespace engine
