#include "engine/archive/AllFolderNodes.h"

#include <QHash>

#include "engine/archive/CommonFunctions.h"

namespace engine {

// The folders come in the order of their first entries, so the first folder
// that passes through a level also holds that level's first spelling.
std::vector<TreeNode> AllFolderNodes(const ColTrees& trees) {
  std::vector<TreeNode> nodes;
  nodes.reserve(static_cast<std::size_t>(trees.Count()));
  QHash<QString, QString> keyOfFolded;  // every level's folded path -> its node's key
  keyOfFolded.reserve(trees.Count());
  for (const ColTrees::Ptr& folder : trees) {
    const QByteArray& path = folder->TreePath;
    if (path == "\\") continue;
    // Each level is looked up as a view of the whole folded path; a level is
    // copied only for a new node. Only "\" folds to "\".
    const QString folded = FoldedName(path);
    QString parentKey;
    qsizetype start = 0;
    qsizetype foldedEnd = folded.indexOf(QLatin1Char('\\'));
    for (qsizetype end = path.indexOf('\\'); end >= 0 && foldedEnd >= 0;
         start = end + 1, end = path.indexOf('\\', start), foldedEnd = folded.indexOf(QLatin1Char('\\'), foldedEnd + 1)) {
      const QString level = QString::fromRawData(folded.constData(), foldedEnd + 1);
      auto known = keyOfFolded.constFind(level);
      if (known == keyOfFolded.cend()) {
        const QString text = QString::fromLatin1(path.sliced(start, end - start));
        nodes.push_back({parentKey + text + QLatin1Char('\\'), text, parentKey});
        known = keyOfFolded.insert(folded.first(foldedEnd + 1), nodes.back().Key);
      }
      parentKey = *known;
    }
  }
  return nodes;
}

}  // namespace engine
