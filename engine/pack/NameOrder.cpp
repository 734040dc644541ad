#include "engine/pack/NameOrder.h"

#include <string.h>

#include <algorithm>
#include <numeric>
#include <string>

#include "engine/archive/FoldedKeys.h"

namespace engine {
namespace {

// A key whose byte order is ComesBefore's: each component led by 1 for the
// file and 2 for a folder, a zero byte in it written 0 255 and a folder's
// end 0 (then 1 or 2), so that a folder's name comes before a longer one
// that begins with it.
std::string orderKey(QByteArrayView name) {
  std::string key;
  key.reserve(static_cast<std::size_t>(name.size()) + 16);
  for (qsizetype start = 0;;) {
    const qsizetype end = name.indexOf('\\', start);
    key += end < 0 ? '\1' : '\2';
    for (const char c : name.sliced(start, (end < 0 ? name.size() : end) - start)) {
      key += c;
      if (c == '\0') key += '\xff';
    }
    if (end < 0) return key;
    key += '\0';
    start = end + 1;
  }
}

// The names split at their last "\": the folders, each with its "\" (none
// for a name at the top), and each name's folder and the rest of it.
struct ByFolder {
  std::vector<QByteArrayView> folders;
  std::vector<int> folderOf;
  std::vector<QByteArrayView> rests;
};

ByFolder byFolder(const std::vector<QByteArrayView>& names) {
  ByFolder split{{}, std::vector<int>(names.size()), std::vector<QByteArrayView>(names.size())};
  KeyMap<int> ids;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const qsizetype cut = LastFolderEnd(names[i]) + 1;
    split.rests[i] = names[i].sliced(cut);
    const QByteArrayView folder = names[i].first(cut);
    // The names of one folder mostly come together: looked up once.
    if (i > 0 && folder == split.folders[split.folderOf[i - 1]]) {
      split.folderOf[i] = split.folderOf[i - 1];
      continue;
    }
    const auto id = ids.emplace(folder, static_cast<int>(split.folders.size())).first;
    if (id->second == static_cast<int>(split.folders.size())) split.folders.push_back(folder);
    split.folderOf[i] = id->second;
  }
  return split;
}

// Each folder's place among the folders in ComesBefore's order.
std::vector<int> ranksOf(const std::vector<QByteArrayView>& folders) {
  std::vector<std::string> keys;
  keys.reserve(folders.size());
  for (const QByteArrayView folder : folders) keys.push_back(orderKey(folder));
  std::vector<int> byKey(folders.size());
  std::iota(byKey.begin(), byKey.end(), 0);
  std::sort(byKey.begin(), byKey.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
  std::vector<int> ranks(folders.size());
  for (std::size_t rank = 0; rank < byKey.size(); ++rank) ranks[byKey[rank]] = static_cast<int>(rank);
  return ranks;
}

}  // namespace

// Decided where the names first differ, the component there ending where
// its "\" is.
bool ComesBefore(QByteArrayView a, QByteArrayView b) {
  const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (inB == b.end()) return false;
  if (inA == a.end()) return true;
  const qsizetype at = inA - a.begin();
  const bool fileA = a.indexOf('\\', at) < 0, fileB = b.indexOf('\\', at) < 0;
  if (fileA != fileB) return fileA;
  if (*inA == '\\') return true;
  if (*inB == '\\') return false;
  return static_cast<unsigned char>(*inA) < static_cast<unsigned char>(*inB);
}

// Names sort by their folder first, then by the bytes after it: only the
// folders, a few hundred, are compared whole, and each folder's names among
// themselves.
std::vector<int> InNameOrder(const std::vector<QByteArrayView>& names) {
  const ByFolder split = byFolder(names);
  const std::vector<int> ranks = ranksOf(split.folders);
  std::vector<std::size_t> starts(split.folders.size() + 1);
  for (const int folder : split.folderOf) ++starts[ranks[folder] + 1];
  std::partial_sum(starts.begin(), starts.end(), starts.begin());
  std::vector<int> order(names.size());
  std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
  for (std::size_t i = 0; i < names.size(); ++i) order[next[ranks[split.folderOf[i]]]++] = static_cast<int>(i);
  const auto byRest = [&split](int a, int b) { return split.rests[a] < split.rests[b]; };
  for (std::size_t rank = 0; rank < split.folders.size(); ++rank) {
    const auto first = order.begin() + static_cast<std::ptrdiff_t>(starts[rank]);
    const auto last = order.begin() + static_cast<std::ptrdiff_t>(starts[rank + 1]);
    if (!std::is_sorted(first, last, byRest)) std::stable_sort(first, last, byRest);
  }
  return order;
}

// memrchr, since this is asked of every name of an archive.
qsizetype LastFolderEnd(QByteArrayView name) {
  const void* at = name.isEmpty() ? nullptr : ::memrchr(name.data(), '\\', static_cast<std::size_t>(name.size()));
  return at ? static_cast<const char*>(at) - name.data() : -1;
}

}  // namespace engine
