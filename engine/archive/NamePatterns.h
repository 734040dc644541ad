#pragma once
// The patterns that pick entries: globs over the archive's names without
// letter case, "\" or "/" between folders, "*" also across folders. A pattern
// that matches a folder picks everything in it. No pattern picks everything.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <optional>
#include <vector>

namespace engine {

// An argument that names entries, as the archive's Latin-1 bytes, one for
// each character: a letter typed in UTF-8 is its Latin-1 byte, a byte that
// is not UTF-8 stays that byte, and a character Latin-1 has not is -1.
std::vector<int> ArchiveBytes(const QString& argument);

// One glob: "*" any run of characters, "?" one, "[...]" one of a set
// ("[!...]" one not in it, "a-z" a range in it); everything else stands for
// itself. A name is matched by following every place the pattern can have
// reached at once, one bit a place, so the time is the name's length times
// the pattern's in 64ths, whatever the pattern, and once for the name and
// all its folders.
class Glob {
 public:
  // How far a name has been read: the places reached, and the answer once
  // it is known before the name's end (a folder taken, or no place left).
  struct Reading {
    QVarLengthArray<quint64, 2> places;
    bool begun = false;
    std::optional<bool> answer;
  };

  // A character Latin-1 has not, which no name can hold, matches nothing.
  explicit Glob(const QString& text);

  // The whole name, or one of its folders (with or without its "\").
  bool Matches(QByteArrayView name) const;

  // Matches in pieces: Begin, Read for each piece, then Matched.
  Reading Begin() const;
  void Read(Reading& reading, QByteArrayView bytes) const;
  bool Matched(const Reading& reading) const;

 private:
  // A "*" may take nothing: the place after it is reached as well.
  void widen(quint64* places) const;

  // Bit n of a word set: the first n steps of the pattern; places 0 to end_.
  int end_ = 0;
  int words_ = 1;
  std::vector<quint64> takes_;   // for each byte, words_ words: the steps that take it
  std::vector<quint64> anyRun_;  // the "*" steps, which take any byte and stay
};

class NamePatterns {
 public:
  // The patterns with the beginning of names read once, for all the names
  // that start with it (the entries of one folder).
  class After {
   public:
    // Whether beginning + rest matches.
    bool Matches(QByteArrayView rest) const;

   private:
    friend class NamePatterns;
    const NamePatterns* patterns_ = nullptr;
    std::vector<Glob::Reading> readings_;
  };

  explicit NamePatterns(const QStringList& globs);

  bool Matches(QByteArrayView name) const;
  bool IsEmpty() const { return globs_.empty(); }
  After Read(QByteArrayView beginning) const;

 private:
  std::vector<Glob> globs_;
};

}  // namespace engine
