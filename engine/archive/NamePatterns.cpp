#include "engine/archive/NamePatterns.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <utility>

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
  // Taken once for every byte: a thousand names given are a thousand patterns.
  static const std::array<std::bitset<256>, 256> same = [] {
    const std::array<char16_t, 256>& classes = byteClasses();
    std::array<std::bitset<256>, 256> table;
    for (int one = 0; one < 256; ++one)
      for (int other = 0; other < 256; ++other) table[one][other] = classes[one] == classes[other];
    return table;
  }();
  return byte < 0 ? std::bitset<256>() : same[byte];
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

namespace {

struct Step {
  bool anyRun = false;  // "*"; otherwise one byte out of takes
  std::bitset<256> takes;
};

std::vector<Step> stepsOf(const QString& text) {
  const std::vector<int> bytes = ArchiveBytes(text);
  std::vector<Step> steps;
  for (qsizetype at = 0; at < static_cast<qsizetype>(bytes.size()); ++at) {
    const int byte = bytes[at];
    const qsizetype close = byte == '[' ? setEnd(bytes, at) : -1;
    if (byte == '*') {
      if (steps.empty() || !steps.back().anyRun) steps.push_back({true, {}});
    } else if (byte == '?') {
      steps.push_back({false, std::bitset<256>().set()});
    } else if (close >= 0) {
      steps.push_back({false, setOf(bytes, at, close)});
      at = close;
    } else {
      steps.push_back({false, sameAs(byte)});
    }
  }
  return steps;
}

// Each byte of the set, in four words rather than 256 tests.
template <typename Visit>
void forEachByte(const std::bitset<256>& bytes, Visit visit) {
  const std::bitset<256> word(~quint64{0});
  for (int w = 0; w < 4; ++w)
    for (quint64 bits = ((bytes >> (64 * w)) & word).to_ullong(); bits != 0; bits &= bits - 1)
      visit(64 * w + std::countr_zero(bits));
}

bool has(const quint64* places, int place) { return (places[place / 64] >> (place % 64)) & 1; }

}  // namespace

Glob::Glob(const QString& text) {
  const std::vector<Step> steps = stepsOf(text);
  end_ = static_cast<int>(steps.size());
  words_ = end_ / 64 + 1;
  takes_.assign(std::size_t{256} * static_cast<std::size_t>(words_), 0);
  anyRun_.assign(static_cast<std::size_t>(words_), 0);
  for (int step = 0; step < end_; ++step) {
    const quint64 bit = quint64{1} << (step % 64);
    if (steps[step].anyRun) anyRun_[step / 64] |= bit;
    forEachByte(steps[step].takes, [&](int byte) { takes_[byte * words_ + step / 64] |= bit; });
  }
}

void Glob::widen(quint64* places) const {
  // No two steps in a row are "*", so one pass does.
  quint64 carry = 0;
  for (int word = 0; word < words_; ++word) {
    const quint64 stars = places[word] & anyRun_[word];
    places[word] |= (stars << 1) | carry;
    carry = stars >> 63;
  }
}

Glob::Reading Glob::Begin() const {
  Reading reading;
  reading.places.resize(words_);
  std::fill(reading.places.begin(), reading.places.end(), 0);
  reading.places[0] = 1;
  widen(reading.places.data());
  return reading;
}

// A step that takes the byte moves its place up one; a "*" stays.
void Glob::Read(Reading& reading, QByteArrayView bytes) const {
  QVarLengthArray<quint64, 2> spare(words_);
  quint64* reached = reading.places.data();
  quint64* next = spare.data();
  for (qsizetype at = 0; at < bytes.size() && !reading.answer; ++at) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    // A folder of the name: the pattern has taken all before its "\" ...
    if (isSeparator(byte) && reading.begun && has(reached, end_)) {
      reading.answer = true;
      break;
    }
    reading.begun = true;
    const quint64* takes = &takes_[static_cast<std::size_t>(byte) * static_cast<std::size_t>(words_)];
    quint64 carry = 0;
    quint64 any = 0;
    for (int word = 0; word < words_; ++word) {
      const quint64 moved = reached[word] & takes[word];
      next[word] = (moved << 1) | carry | (reached[word] & anyRun_[word]);
      carry = moved >> 63;
      any |= next[word];
    }
    // No place left: no later byte brings one back.
    if (!any) reading.answer = false;
    widen(next);
    std::swap(reached, next);
    // ... or all up to it, as the folder's path is written ("ART\").
    if (isSeparator(byte) && has(reached, end_)) reading.answer = true;
  }
  if (reached != reading.places.data()) std::copy(reached, reached + words_, reading.places.data());
}

bool Glob::Matched(const Reading& reading) const {
  return reading.answer.value_or(has(reading.places.data(), end_));
}

bool Glob::Matches(QByteArrayView name) const {
  Reading reading = Begin();
  Read(reading, name);
  return Matched(reading);
}

NamePatterns::NamePatterns(const QStringList& globs) {
  for (const QString& glob : globs) globs_.emplace_back(glob);
}

bool NamePatterns::Matches(QByteArrayView name) const {
  return globs_.empty() ||
         std::any_of(globs_.begin(), globs_.end(), [&](const Glob& glob) { return glob.Matches(name); });
}

NamePatterns::After NamePatterns::Read(QByteArrayView beginning) const {
  After after;
  after.patterns_ = this;
  for (const Glob& glob : globs_) {
    after.readings_.push_back(glob.Begin());
    glob.Read(after.readings_.back(), beginning);
  }
  return after;
}

bool NamePatterns::After::Matches(QByteArrayView rest) const {
  if (patterns_->globs_.empty()) return true;
  for (std::size_t at = 0; at < readings_.size(); ++at) {
    const Glob& glob = patterns_->globs_[at];
    Glob::Reading reading = readings_[at];
    glob.Read(reading, rest);
    if (glob.Matched(reading)) return true;
  }
  return false;
}

}  // namespace engine
