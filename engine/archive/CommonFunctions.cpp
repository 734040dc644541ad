#include "engine/archive/CommonFunctions.h"

#include <algorithm>
#include <array>

namespace engine {
namespace {

// Probes pieces of 1 to 10 characters from the 0-based index `from`: the length
// of the first piece that ends with "\", or 0 when that needs 10 or more.
qsizetype folderPieceLength(QByteArrayView path, qsizetype from) {
  for (qsizetype n = 1; n <= 10 && from + n <= path.size(); ++n)
    if (path[from + n - 1] == '\\') return n <= 9 ? n : 0;
  return 0;
}

std::optional<QByteArrayView> levelOne(QByteArrayView path) {
  const qsizetype n = folderPieceLength(path, 0);
  return n ? std::optional(path.first(n)) : std::nullopt;
}

// A level-2 or level-3 name whose piece begins at the 0-based index `from`.
std::optional<QByteArrayView> nameFrom(QByteArrayView path, qsizetype from) {
  const qsizetype n = folderPieceLength(path, from);
  return n ? std::optional(path.sliced(from, n - 1)) : std::nullopt;
}

// Qt's folding of each Latin-1 character, taken once: every one folds to a
// single character, so a name folds character by character, without the
// two strings per name that a directory of 30,000 names would cost.
const std::array<char16_t, 256>& foldedLatin1() {
  static const std::array<char16_t, 256> folded = [] {
    std::array<char16_t, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = QString(QChar(c)).toCaseFolded().at(0).unicode();
    return table;
  }();
  return folded;
}

}  // namespace

std::optional<QByteArrayView> PathLevelView(QByteArrayView path, uint8_t level, uint8_t start) {
  switch (level) {
    case 1:
      return levelOne(path);
    case 2: {
      if (start != 0) return nameFrom(path, start);
      const auto first = levelOne(path);
      return first ? nameFrom(path, first->size()) : std::nullopt;
    }
    case 3: {
      if (start != 0) return nameFrom(path, start + 1);
      const auto first = levelOne(path);
      const auto second = first ? nameFrom(path, first->size()) : std::nullopt;
      return second ? nameFrom(path, first->size() + second->size() + 1) : std::nullopt;
    }
    default:
      return QByteArrayView();
  }
}

QByteArray GetPathLevel(const QByteArray& path, uint8_t level, uint8_t start) {
  const std::optional<QByteArrayView> piece = PathLevelView(path, level, start);
  return piece ? piece->toByteArray() : QByteArray(NoFolderSentinel);
}

QByteArrayView FolderPathView(QByteArrayView path) {
  const qsizetype slash = path.lastIndexOf('\\');
  return slash < 0 ? QByteArrayView("\\") : path.first(slash + 1);
}

QByteArray GetFolderPath(const QByteArray& path) { return FolderPathView(path).toByteArray(); }

QByteArray GetFileName(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('\\');
  return slash < 0 ? path : path.mid(slash + 1);
}

QString FoldedName(QByteArrayView latin1) {
  const std::array<char16_t, 256>& folded = foldedLatin1();
  QString name(latin1.size(), Qt::Uninitialized);
  std::transform(latin1.begin(), latin1.end(), name.data(),
                 [&folded](char c) { return QChar(folded[static_cast<unsigned char>(c)]); });
  return name;
}

QByteArray FoldedBytes(QByteArrayView latin1) {
  QByteArray name(latin1.size(), Qt::Uninitialized);
  FoldBytes(latin1, name.data());
  return name;
}

void FoldBytes(QByteArrayView latin1, char* out) {
  const std::array<char16_t, 256>& folded = foldedLatin1();
  std::transform(latin1.begin(), latin1.end(), out, [&folded](char c) {
    const char16_t one = folded[static_cast<unsigned char>(c)];
    return one <= 0xFF ? static_cast<char>(one) : c;
  });
}

}  // namespace engine
