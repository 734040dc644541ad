// The patterns that pick entries: the first line is a glob, every further line
// a name. Short ones are checked against a plain recursive matcher; any length
// must finish in the name's length times the pattern's (the run's timeout),
// and read in two pieces must give the whole name's verdict.
#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <vector>

#include "engine/archive/CommonFunctions.h"
#include "engine/archive/NamePatterns.h"
#include "fuzz/FuzzSupport.h"

namespace {

// Inputs the reference matcher takes: its memo table is the glob's size
// times the name's, for every length of the name. Globs past 64 steps need a
// second word of places.
constexpr qsizetype ShortInput = 64;
constexpr qsizetype LongGlob = 160;

bool isSeparator(unsigned char byte) { return byte == '\\' || byte == '/'; }

// A byte as names are compared: the separators one, letter case folded.
char16_t compared(unsigned char byte) {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> folded{};
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(isSeparator(static_cast<unsigned char>(b)) ? '\\' : b);
      folded[b] = engine::FoldedName(QByteArrayView(&c, 1)).at(0).unicode();
    }
    return folded;
  }();
  return table[byte];
}

// The glob read from its text, one token a character or set.
struct Token {
  enum Kind { AnyRun, AnyOne, Set, Literal } kind;
  QByteArray members;  // Set: the text between "[" (or "[!") and "]"; Literal: the byte
  bool negated = false;
};

bool inRange(unsigned char byte, unsigned char from, unsigned char to) {
  return (byte >= from && byte <= to) || (compared(byte) >= compared(from) && compared(byte) <= compared(to));
}

bool takes(const Token& token, unsigned char byte) {
  switch (token.kind) {
    case Token::AnyOne:
      return true;
    case Token::Literal:
      return compared(byte) == compared(static_cast<unsigned char>(token.members[0]));
    case Token::Set: {
      const QByteArray& set = token.members;
      bool member = false;
      for (qsizetype at = 0; at < set.size();) {
        const auto first = static_cast<unsigned char>(set[at]);
        if (at + 2 < set.size() && set[at + 1] == '-') {
          member = member || inRange(byte, first, static_cast<unsigned char>(set[at + 2]));
          at += 3;
        } else {
          member = member || compared(byte) == compared(first);
          ++at;
        }
      }
      return member != token.negated;
    }
    case Token::AnyRun:
      break;
  }
  return false;
}

std::vector<Token> tokens(const QByteArray& glob) {
  std::vector<Token> list;
  for (qsizetype at = 0; at < glob.size(); ++at) {
    const char c = glob[at];
    if (c == '*') {
      list.push_back({Token::AnyRun, {}});
      continue;
    }
    if (c == '?') {
      list.push_back({Token::AnyOne, {}});
      continue;
    }
    if (c == '[') {
      // A "]" first (after any "!") is a member; without a closing "]" the "[" is itself.
      const bool negated = at + 1 < glob.size() && glob[at + 1] == '!';
      const qsizetype first = at + 1 + (negated ? 1 : 0);
      const qsizetype close = glob.indexOf(']', first < glob.size() && glob[first] == ']' ? first + 1 : first);
      if (close >= 0) {
        list.push_back({Token::Set, glob.mid(first, close - first), negated});
        at = close;
        continue;
      }
    }
    list.push_back({Token::Literal, QByteArray(1, c)});
  }
  return list;
}

// Whether the tokens from `step` on take exactly name[at..length).
class Reference {
 public:
  Reference(const QByteArray& glob, QByteArrayView name) : tokens_(tokens(glob)), name_(name) {}

  bool Matches() {
    // The whole name, or a folder of it with or without its "\".
    for (qsizetype length = 0; length <= name_.size(); ++length) {
      const bool beforeSeparator = length > 0 && length < name_.size() && isSeparator(name_[length]);
      const bool afterSeparator = length > 0 && isSeparator(name_[length - 1]);
      if ((length == name_.size() || beforeSeparator || afterSeparator) && takesAll(length)) return true;
    }
    return false;
  }

 private:
  bool takesAll(qsizetype length) {
    length_ = length;
    memo_.assign((tokens_.size() + 1) * static_cast<std::size_t>(length + 1), Unknown);
    return from(0, 0);
  }

  bool from(std::size_t step, qsizetype at) {
    char& known = memo_[step * static_cast<std::size_t>(length_ + 1) + static_cast<std::size_t>(at)];
    if (known == Unknown) known = compute(step, at) ? Yes : No;
    return known == Yes;
  }

  bool compute(std::size_t step, qsizetype at) {
    if (step == tokens_.size()) return at == length_;
    if (tokens_[step].kind == Token::AnyRun) return from(step + 1, at) || (at < length_ && from(step, at + 1));
    return at < length_ && takes(tokens_[step], static_cast<unsigned char>(name_[at])) && from(step + 1, at + 1);
  }

  enum : char { Unknown, Yes, No };
  std::vector<Token> tokens_;
  QByteArrayView name_;
  qsizetype length_ = 0;
  std::vector<char> memo_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<QByteArray> lines =
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\n');
  const QByteArray& glob = lines.first();
  // Every byte is one Latin-1 character, as the archive's names hold them.
  const engine::NamePatterns patterns(QStringList{QString::fromLatin1(glob)});
  for (qsizetype n = 1; n < lines.size(); ++n) {
    const QByteArray& name = lines[n];
    const bool verdict = patterns.Matches(name);
    if (glob.size() < LongGlob && name.size() < ShortInput)
      Require(verdict == Reference(glob, name).Matches(), "the verdict is the reference matcher's");
    // Find reads a folder's path once and each entry's name after it.
    for (const qsizetype split : {name.lastIndexOf('\\') + 1, name.size() / 2})
      Require(patterns.Read(name.first(split)).Matches(name.sliced(split)) == verdict,
              "a name read in two pieces is matched as the whole name");
  }
  return 0;
}
