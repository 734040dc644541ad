#include "tallyhold/archive/CommonFunctions.h"

namespace tallyhold {
namespace {

// Probes pieces of 1 to 10 characters from the 0-based index `from`: the length
// of the first piece that ends with "\", or 0 when that needs 10 or more.
qsizetype folderPieceLength(const QByteArray& path, qsizetype from) {
  for (qsizetype n = 1; n <= 10 && from + n <= path.size(); ++n)
    if (path[from + n - 1] == '\\') return n <= 9 ? n : 0;
  return 0;
}

QByteArray levelOne(const QByteArray& path) {
  const qsizetype n = folderPieceLength(path, 0);
  return n ? path.left(n) : QByteArray(NoFolderSentinel);
}

// A level-2 or level-3 name whose piece begins at the 0-based index `from`.
QByteArray nameFrom(const QByteArray& path, qsizetype from) {
  const qsizetype n = folderPieceLength(path, from);
  return n ? path.mid(from, n - 1) : QByteArray(NoFolderSentinel);
}

}  // namespace

QByteArray GetPathLevel(const QByteArray& path, uint8_t level, uint8_t start) {
  switch (level) {
    case 1:
      return levelOne(path);
    case 2: {
      if (start != 0) return nameFrom(path, start);
      const QByteArray first = levelOne(path);
      return first == NoFolderSentinel ? first : nameFrom(path, first.size());
    }
    case 3: {
      if (start != 0) return nameFrom(path, start + 1);
      const QByteArray first = levelOne(path);
      if (first == NoFolderSentinel) return first;
      const QByteArray second = nameFrom(path, first.size());
      return second == NoFolderSentinel ? second : nameFrom(path, first.size() + second.size() + 1);
    }
    default:
      return {};
  }
}

QByteArray GetFolderPath(const QByteArray& path) {
  const QByteArray name = GetFileName(path);
  return name == path ? QByteArray("\\") : path.left(path.size() - name.size());
}

QByteArray GetFileName(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('\\');
  return slash < 0 ? path : path.mid(slash + 1);
}

}  // namespace tallyhold
