#include "engine/archive/NamePatterns.h"

#include <algorithm>
#include <array>

#include "common/platform/PathBytes.h"
#include "engine/archive/CommonFunctions.h"

namespace engine {
namespace {

bool isSeparator(int byte) { return byte == '\\' || byte == '/'; }

// Each byte as names are compared: without letter case, and the two
// separators one.
const std::array<char16_t, 256>& byteClasses() {
  static const std::array<char16_t, 256> classes = [] {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(isSeparator(byte) ? '\\' : byte);
      table[byte] = FoldedName(QByteArrayView(&c, 1)).at(0).unicode();
    }
    return table;
  }();
  return classes;
}

// The bytes that equal this one as names are compared; none for -1, the
// mark of a character Latin-1 has not.
std::bitset<256> sameAs(int byte) {
  std::bitset<256> bytes;
  if (byte < 0) return bytes;
  for (int b = 0; b < 256; ++b) bytes[b] = byteClasses()[b] == byteClasses()[byte];
  return bytes;
}

// The bytes from one to the other, as they are or without letter case.
std::bitset<256> range(int from, int to) {
  std::bitset<256> bytes;
  if (from < 0 || to < 0) return bytes;
  const std::array<char16_t, 256>& classes = byteClasses();
  for (int b = 0; b < 256; ++b)
    bytes[b] = (b >= from && b <= to) || (classes[b] >= classes[from] && classes[b] <= classes[to]);
  return bytes;
}

// Where the set opened at `open` closes, or -1 when it does not (then "["
// stands for itself). A "]" right after "[" or "[!" is a member.
qsizetype setEnd(const std::vector<int>& bytes, qsizetype open) {
  const qsizetype size = static_cast<qsizetype>(bytes.size());
  qsizetype at = open + 1;
  if (at < size && bytes[at] == '!') ++at;
  if (at < size && bytes[at] == ']') ++at;
  for (; at < size; ++at)
    if (bytes[at] == ']') return at;
  return -1;
}

std::bitset<256> setOf(const std::vector<int>& bytes, qsizetype open, qsizetype close) {
  qsizetype at = open + 1;
  const bool negated = bytes[at] == '!';
  if (negated) ++at;
  std::bitset<256> members;
  while (at < close) {
    if (at + 2 < close && bytes[at + 1] == '-') {
      members |= range(bytes[at], bytes[at + 2]);
      at += 3;
    } else {
      members |= sameAs(bytes[at++]);
    }
  }
  return negated ? ~members : members;
}

}  // namespace

std::vector<int> ArchiveBytes(const QString& argument) {
  std::vector<int> bytes;
  for (qsizetype at = 0; at < argument.size(); ++at) {
    const char16_t c = argument[at].unicode();
    const int escaped = platform::EscapedByte(argument, at);
    bytes.push_back(c <= 0xFF ? c : escaped);
    // A pair of surrogates is one character.
    if (argument[at].isHighSurrogate() && at + 1 < argument.size() && argument[at + 1].isLowSurrogate()) ++at;
  }
  return bytes;
}

Glob::Glob(const QString& text) {
  const std::vector<int> bytes = ArchiveBytes(text);
  for (qsizetype at = 0; at < static_cast<qsizetype>(bytes.size()); ++at) {
    const int byte = bytes[at];
    const qsizetype close = byte == '[' ? setEnd(bytes, at) : -1;
    if (byte == '*') {
      if (steps_.empty() || !steps_.back().anyRun) steps_.push_back({true, {}});
    } else if (byte == '?') {
      steps_.push_back({false, std::bitset<256>().set()});
    } else if (close >= 0) {
      steps_.push_back({false, setOf(bytes, at, close)});
      at = close;
    } else {
      steps_.push_back({false, sameAs(byte)});
    }
  }
}

// reached[n]: the first n steps can have taken the bytes read so far.
bool Glob::Matches(QByteArrayView name) const {
  const std::size_t end = steps_.size();
  std::vector<char> reached(end + 1), next(end + 1);
  // A "*" may take nothing: the step after it is reached as well.
  const auto widen = [&](std::vector<char>& places) {
    for (std::size_t step = 0; step < end; ++step)
      if (places[step] && steps_[step].anyRun) places[step + 1] = true;
  };
  reached[0] = true;
  widen(reached);
  for (qsizetype at = 0; at < name.size(); ++at) {
    const auto byte = static_cast<unsigned char>(name[at]);
    // A folder of the name: the pattern has taken all before its "\" ...
    if (isSeparator(byte) && at > 0 && reached[end]) return true;
    std::fill(next.begin(), next.end(), false);
    for (std::size_t step = 0; step < end; ++step) {
      if (!reached[step]) continue;
      if (steps_[step].anyRun)
        next[step] = true;
      else if (steps_[step].takes[byte])
        next[step + 1] = true;
    }
    widen(next);
    reached.swap(next);
    // ... or all up to it, as the folder's path is written ("ART\").
    if (isSeparator(byte) && reached[end]) return true;
  }
  return reached[end];
}

NamePatterns::NamePatterns(const QStringList& globs) {
  for (const QString& glob : globs) globs_.emplace_back(glob);
}

bool NamePatterns::Matches(QByteArrayView name) const {
  return globs_.empty() || std::any_of(globs_.begin(), globs_.end(), [&](const Glob& glob) { return glob.Matches(name); });
}

}  // namespace engine
