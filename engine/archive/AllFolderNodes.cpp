#include "engine/archive/AllFolderNodes.h"

#include <QHash>
#include <algorithm>
#include <utility>

#include "engine/archive/CommonFunctions.h"

namespace engine {

// The folders come in the order of their first entries, so the first folder
// that passes through a level also holds that level's first spelling.
std::optional<std::vector<TreeNode>> AllFolderNodes(const ColTrees& trees, std::size_t limit) {
  std::vector<TreeNode> nodes;
  nodes.reserve(std::min(static_cast<std::size_t>(trees.Count()), limit));
  // A level is found by its parent's node and its folded name, so that no
  // path is hashed or copied whole at each of its levels.
  QHash<std::pair<std::size_t, QString>, std::size_t> nodeOf;
  constexpr std::size_t Top = SIZE_MAX;
  for (const ColTrees::Ptr& folder : trees) {
    const QByteArray& path = folder->TreePath;
    if (path == "\\") continue;
    std::size_t parent = Top;
    qsizetype start = 0;
    for (qsizetype end = path.indexOf('\\'); end >= 0; start = end + 1, end = path.indexOf('\\', start)) {
      const QByteArrayView name = QByteArrayView(path).sliced(start, end - start);
      const std::pair<std::size_t, QString> level{parent, FoldedName(name)};
      auto known = nodeOf.constFind(level);
      if (known == nodeOf.cend()) {
        if (nodes.size() == limit) return std::nullopt;
        const QString parentKey = parent == Top ? QString() : nodes[parent].Key;
        const QString text = QString::fromLatin1(name);
        nodes.push_back({parentKey + text + QLatin1Char('\\'), text, parentKey});
        known = nodeOf.insert(level, nodes.size() - 1);
      }
      parent = *known;
    }
  }
  return nodes;
}

}  // namespace engine
