#pragma once
// The tree pane shows the first three folder levels of an archive. Each level
// compares only with the previous entry's name at that level, so a folder whose
// entries come in two separate runs gets two nodes (both list the same folder).
#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace engine {

// One node of the tree pane, as data: the window turns it into an item.
struct TreeNode {
  QString Key;        // "root", "Mother0", "Child10", "Child20", ...
  QString Text;       // the folder name, without backslash
  QString ParentKey;  // empty for a top-level node
  bool operator==(const TreeNode&) const = default;
};

// The nodes of one scan, added entry by entry; counters and the names seen
// last start afresh with every scan.
class FolderTreeStep {
 public:
  // Appends the nodes that the entry name adds (none to three) to nodes.
  void Add(const QByteArray& name, std::vector<TreeNode>& nodes);

 private:
  static constexpr int Levels = 3;
  std::array<int, Levels> counters_{};
  std::array<std::optional<QByteArray>, Levels> lastNames_;
};

}  // namespace engine
