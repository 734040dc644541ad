#pragma once
// The tree pane's nodes when it shows every folder of an archive, whatever its
// depth and the length of its names, built from the archive's folders once the
// scan has filed them.
#include <cstddef>
#include <optional>
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
//
// Names of up to 255 bytes can nest 127 folders, each its own node, so a
// directory can hold a hundred times more nodes than entries: past the limit
// there are no nodes at all, and the tree stays as the scan made it.
inline constexpr std::size_t MaxAllFolderNodes = 200'000;
std::optional<std::vector<TreeNode>> AllFolderNodes(const ColTrees& trees, std::size_t limit = MaxAllFolderNodes);

}  // namespace engine
