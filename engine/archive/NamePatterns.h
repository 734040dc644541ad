#pragma once
// The patterns that pick entries: globs over the archive's names without
// letter case, "\" or "/" between folders, "*" also across folders. A pattern
// that matches a folder picks everything in it. No pattern picks everything.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <bitset>
#include <vector>

namespace engine {

// An argument that names entries, as the archive's Latin-1 bytes, one for
// each character: a letter typed in UTF-8 is its Latin-1 byte, a byte that
// is not UTF-8 stays that byte, and a character Latin-1 has not is -1.
std::vector<int> ArchiveBytes(const QString& argument);

// One glob: "*" any run of characters, "?" one, "[...]" one of a set
// ("[!...]" one not in it, "a-z" a range in it); everything else stands for
// itself. A name is matched by following every place the pattern can have
// reached at once, so the time is the name's length times the pattern's,
// whatever the pattern, and once for the name and all its folders.
class Glob {
 public:
  // A character Latin-1 has not, which no name can hold, matches nothing.
  explicit Glob(const QString& text);

  // The whole name, or one of its folders (with or without its "\").
  bool Matches(QByteArrayView name) const;

 private:
  struct Step {
    bool anyRun = false;         // "*"; otherwise one byte out of takes
    std::bitset<256> takes;
  };
  std::vector<Step> steps_;
};

class NamePatterns {
 public:
  explicit NamePatterns(const QStringList& globs);

  bool Matches(QByteArrayView name) const;
  bool IsEmpty() const { return globs_.empty(); }

 private:
  std::vector<Glob> globs_;
};

}  // namespace engine
