#include "engine/archive/FolderTree.h"

#include "engine/archive/CommonFunctions.h"

namespace engine {
namespace {

constexpr const char* KeyPrefix[] = {"Mother", "Child1", "Child2"};

QString keyOf(int level, int counter) { return QLatin1String(KeyPrefix[level]) + QString::number(counter); }

}  // namespace

void FolderTreeStep::Add(const QByteArray& name, std::vector<TreeNode>& nodes) {
  uint8_t start = 0;
  bool parentAdded = false;
  for (int level = 0; level < Levels; ++level) {
    // Views, not copies: most entries add no node.
    const std::optional<QByteArrayView> piece = PathLevelView(name, static_cast<uint8_t>(level + 1), start);
    if (!piece) return;
    start = static_cast<uint8_t>(start + piece->size());
    auto& last = lastNames_[level];
    if (!parentAdded && last && *last == *piece) continue;
    // The level-1 piece keeps its backslash; the node text does not.
    const QByteArrayView text = level == 0 ? piece->chopped(1) : *piece;
    const QString parent = level == 0 ? QString() : keyOf(level - 1, counters_[level - 1] - 1);
    nodes.push_back({keyOf(level, counters_[level]), QString::fromLatin1(text), parent});
    ++counters_[level];
    last = piece->toByteArray();
    parentAdded = true;
  }
}

}  // namespace engine
