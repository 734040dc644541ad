#include "common/zlib/DeflateCheck.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zlibstream {
namespace {

using Code = DeflateCheck::Code;

constexpr int MaxBits = 15;
constexpr int PrimaryMask = (1 << Code::PrimaryBits) - 1;

// A table entry: how many bits its code and the extra bits after it take
// (for an invalid code, how many bits tell that it is one), and what it is.
enum Kind : uint16_t { Plain = 0, Length = 1, End = 2, Long = 3, Invalid = 4 };
constexpr uint16_t entry(int bits, Kind kind) { return static_cast<uint16_t>(bits | kind << 6); }
int entryBits(uint16_t e) { return e & 63; }
Kind entryKind(uint16_t e) { return static_cast<Kind>(e >> 6); }

constexpr uint8_t LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint8_t DistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                       6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t CodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// What a symbol of the set is, with its extra bits. Fixed blocks have codes
// for literal/length symbols 286 and 287 and distances 30 and 31, which zlib
// refuses when they are used.
uint16_t meaning(const Code& code, int symbol, int length) {
  if (code.distances) return symbol < 30 ? entry(length + DistanceExtra[symbol], Plain) : entry(length, Invalid);
  if (symbol < 256) return entry(length, Plain);
  if (symbol == 256) return entry(length, End);
  return symbol < 286 ? entry(length + LengthExtra[symbol - 257], Length) : entry(length, Invalid);
}

unsigned reversed(unsigned code, int length) {
  unsigned result = 0;
  for (int i = 0; i < length; ++i, code >>= 1) result = result << 1 | (code & 1);
  return result;
}

std::array<uint16_t, MaxBits + 1> countLengths(const uint8_t* lengths, int n) {
  std::array<uint16_t, MaxBits + 1> count{};
  for (int i = 0; i < n; ++i) ++count[lengths[i]];
  count[0] = 0;
  return count;
}

// As zlib's inflate_table: an over-subscribed set is refused; an incomplete
// one only passes as a single one-bit code of the literal/length or distance
// set, or as no code at all.
bool zlibTakes(const std::array<uint16_t, MaxBits + 1>& count, bool codeLengths) {
  int max = MaxBits;
  while (max > 0 && count[max] == 0) --max;
  if (max == 0) return true;
  int left = 1;
  for (int length = 1; length <= MaxBits; ++length) {
    left = (left << 1) - count[length];
    if (left < 0) return false;
  }
  return left == 0 || (!codeLengths && max == 1);
}

// Fills the table of a set zlib takes. A code longer than the table's bits
// marks its first bits as Long; codes no symbol has stay Invalid.
void build(Code& code, const uint8_t* lengths, int n) {
  code.count = countLengths(lengths, n);
  code.maxLength = MaxBits;
  while (code.maxLength > 0 && code.count[code.maxLength] == 0) --code.maxLength;
  code.primary.fill(entry(std::max(code.maxLength, 1), Invalid));
  std::array<unsigned, MaxBits + 2> next{};
  std::array<unsigned, MaxBits + 2> offset{};
  for (int length = 1; length <= MaxBits; ++length) {
    next[length + 1] = (next[length] + code.count[length]) << 1;
    offset[length + 1] = offset[length] + code.count[length];
  }
  for (int symbol = 0; symbol < n; ++symbol) {
    const int length = lengths[symbol];
    if (length == 0) continue;
    code.sorted[offset[length]++] = static_cast<uint16_t>(symbol);
    const unsigned bits = reversed(next[length]++, length);
    if (length > Code::PrimaryBits) {
      code.primary[bits & PrimaryMask] = entry(Code::PrimaryBits, Long);
      continue;
    }
    const uint16_t e = meaning(code, symbol, length);
    for (unsigned i = bits; i <= PrimaryMask; i += 1u << length) code.primary[i] = e;
  }
}

// The entry of a code longer than the table's bits, decoded a bit at a time
// from the canonical counts; 0 when the available bits do not tell yet.
uint16_t longEntry(const Code& code, uint64_t bits, int available) {
  int first = 0, index = 0, value = 0;
  for (int length = 1; length <= MaxBits; ++length, bits >>= 1) {
    if (length > available) return 0;
    value |= static_cast<int>(bits & 1);
    const int count = code.count[length];
    if (value - first < count) return meaning(code, code.sorted[index + value - first], length);
    index += count;
    first = (first + count) << 1;
    value <<= 1;
  }
  return entry(MaxBits, Invalid);
}

// The entry for the bits, resolving long codes; 0 when more bits are needed.
uint16_t decode(const Code& code, uint64_t bits, int available) {
  const uint16_t e = code.primary[bits & PrimaryMask];
  const uint16_t resolved = entryKind(e) == Long ? longEntry(code, bits, available) : e;
  return resolved != 0 && entryBits(resolved) <= available ? resolved : 0;
}

void buildFixed(Code& literals, Code& distances) {
  uint8_t lengths[288];
  std::fill(lengths, lengths + 144, 8);
  std::fill(lengths + 144, lengths + 256, 9);
  std::fill(lengths + 256, lengths + 280, 7);
  std::fill(lengths + 280, lengths + 288, 8);
  build(literals, lengths, 288);
  std::fill(lengths, lengths + 32, 5);
  distances.distances = true;
  build(distances, lengths, 32);
}

// zlib's verdict on the two header bytes CMF and FLG, or null when they are good.
const char* headerFault(unsigned cmf, unsigned flg) {
  if ((cmf * 256 + flg) % 31 != 0) return "incorrect header check";
  if ((cmf & 0x0F) != 8) return "unknown compression method";
  if ((cmf >> 4) > 7) return "invalid window size";
  if (flg & 0x20) return "need dictionary";
  return nullptr;
}

}  // namespace

DeflateCheck::DeflateCheck() {
  buildFixed(fixedLiterals_, fixedDistances_);
  distanceCodes_.distances = true;
}

void DeflateCheck::Reset() {
  stage_ = Stage::Header;
  bits_ = 0;
  count_ = 0;
  pieceStart_ = 0;
  blockStart_ = 0;
  fault_.clear();
}

DeflateCheck::Finding DeflateCheck::Read(const unsigned char* data, qint64 size) {
  if (stage_ == Stage::Failed) return {0, fault_};
  begin_ = next_ = data;
  end_ = data + size;
  while (step()) {
  }
  const qint64 start = pieceStart_;
  pieceStart_ += size;
  if (stage_ != Stage::Failed) return {size, {}};
  return {std::max<qint64>(faultBit_ / 8 - start, 0), fault_};
}

// Goes on with the stream; false once it waits for more input, has ended or failed.
bool DeflateCheck::step() {
  switch (stage_) {
    case Stage::Header:
      if (!need(16)) return false;
      if (const char* words = headerFault(bits_ & 0xFF, (bits_ >> 8) & 0xFF)) return fail(words);
      drop(16);
      stage_ = Stage::BlockStart;
      return true;
    case Stage::BlockStart:
      return blockStart();
    case Stage::StoredLengths:
      return storedLengths();
    case Stage::StoredCopy:
      return storedCopy();
    case Stage::Counts:
      return counts();
    case Stage::CodeLengthCode:
      return codeLengthCode();
    case Stage::CodeLengths:
      return codeLengths();
    case Stage::Symbols:
      return symbols();
    case Stage::Done:
    case Stage::Failed:
      return false;
  }
  return false;
}

bool DeflateCheck::blockStart() {
  blockStart_ = bitsRead();
  if (!need(3)) return false;
  final_ = take(1) != 0;
  switch (take(2)) {
    case 0:
      drop(count_ & 7);
      stage_ = Stage::StoredLengths;
      return true;
    case 1:
      literalCode_ = &fixedLiterals_;
      distanceCode_ = &fixedDistances_;
      stage_ = Stage::Symbols;
      return true;
    case 2:
      stage_ = Stage::Counts;
      return true;
    default:
      return fail("invalid block type");
  }
}

bool DeflateCheck::storedLengths() {
  if (!need(32)) return false;
  const uint32_t lengths = static_cast<uint32_t>(bits_);
  if ((lengths & 0xFFFF) != ((lengths >> 16) ^ 0xFFFF)) return fail("invalid stored block lengths");
  drop(32);
  storedLeft_ = lengths & 0xFFFF;
  stage_ = Stage::StoredCopy;
  return true;
}

bool DeflateCheck::storedCopy() {
  for (; storedLeft_ > 0 && count_ >= 8; --storedLeft_) drop(8);
  if (storedLeft_ > 0) {
    const uint32_t skipped = static_cast<uint32_t>(std::min<qint64>(storedLeft_, end_ - next_));
    next_ += skipped;
    storedLeft_ -= skipped;
    bits_ = 0;  // what was read ahead has been skipped
    if (storedLeft_ > 0) return false;
  }
  stage_ = final_ ? Stage::Done : Stage::BlockStart;
  return true;
}

bool DeflateCheck::counts() {
  if (!need(14)) return false;
  lengthCount_ = 257 + static_cast<int>(bits_ & 31);
  distanceCount_ = 1 + static_cast<int>((bits_ >> 5) & 31);
  codeLengthCount_ = 4 + static_cast<int>((bits_ >> 10) & 15);
  if (lengthCount_ > 286 || distanceCount_ > 30) return fail("too many length or distance symbols");
  drop(14);
  codeLengthLengths_.fill(0);
  index_ = 0;
  stage_ = Stage::CodeLengthCode;
  return true;
}

// The code of the code lengths. With no code at all, zlib reads every code
// length as 0 from a single bit; the missing end-of-block code refuses it.
bool DeflateCheck::codeLengthCode() {
  for (; index_ < codeLengthCount_; ++index_) {
    if (!need(3)) return false;
    codeLengthLengths_[CodeLengthOrder[index_]] = static_cast<uint8_t>(take(3));
  }
  const auto count = countLengths(codeLengthLengths_.data(), 19);
  if (!zlibTakes(count, true)) return fail("invalid code lengths set");
  codeLengthTable_.fill(static_cast<uint16_t>(1 << 5));
  std::array<unsigned, 9> next{};
  for (int length = 1; length < 8; ++length) next[length + 1] = (next[length] + count[length]) << 1;
  for (int symbol = 0; symbol < 19; ++symbol) {
    const int length = codeLengthLengths_[symbol];
    if (length == 0) continue;
    for (unsigned i = reversed(next[length]++, length); i < 128; i += 1u << length)
      codeLengthTable_[i] = static_cast<uint16_t>(symbol | length << 5);
  }
  index_ = 0;
  stage_ = Stage::CodeLengths;
  return true;
}

bool DeflateCheck::codeLengths() {
  while (index_ < lengthCount_ + distanceCount_) {
    refill();
    const uint16_t e = codeLengthTable_[bits_ & 127];
    const int symbol = e & 31, length = e >> 5;
    if (length > count_) return false;
    if (symbol < 16) {
      drop(length);
      lengths_[index_++] = static_cast<uint8_t>(symbol);
    } else if (!repeat(symbol, length)) {
      return false;
    }
  }
  return dynamicCodes();
}

// Code lengths 16 (the last length again), 17 and 18 (zeros), as zlib takes them.
bool DeflateCheck::repeat(int symbol, int length) {
  const int extra = symbol == 16 ? 2 : symbol == 17 ? 3 : 7;
  if (length + extra > count_) return false;
  if (symbol == 16 && index_ == 0) return fail("invalid bit length repeat");
  const uint8_t value = symbol == 16 ? lengths_[index_ - 1] : 0;
  const int copies = (symbol == 18 ? 11 : 3) + static_cast<int>((bits_ >> length) & ((1u << extra) - 1));
  if (index_ + copies > lengthCount_ + distanceCount_) return fail("invalid bit length repeat");
  drop(length + extra);
  std::fill_n(lengths_.begin() + index_, copies, value);
  index_ += copies;
  return true;
}

bool DeflateCheck::dynamicCodes() {
  if (lengths_[256] == 0) return fail("invalid code -- missing end-of-block");
  if (!zlibTakes(countLengths(lengths_.data(), lengthCount_), false)) return fail("invalid literal/lengths set");
  if (!zlibTakes(countLengths(lengths_.data() + lengthCount_, distanceCount_), false))
    return fail("invalid distances set");
  build(literals_, lengths_.data(), lengthCount_);
  build(distanceCodes_, lengths_.data() + lengthCount_, distanceCount_);
  literalCode_ = &literals_;
  distanceCode_ = &distanceCodes_;
  stage_ = Stage::Symbols;
  return true;
}

// The block's codes up to its end, each only skipped over: a literal or
// length code with its extra bits, then a length's distance code with its own.
bool DeflateCheck::symbols() {
  const Code& literals = *literalCode_;
  const Code& distances = *distanceCode_;
  for (;;) {
    skipShortCodes(literals, distances);
    refill();
    const uint16_t symbol = decode(literals, bits_, count_);
    if (symbol == 0) return false;
    int used = entryBits(symbol);
    switch (entryKind(symbol)) {
      case Plain:
        drop(used);
        continue;
      case End:
        drop(used);
        stage_ = final_ ? Stage::Done : Stage::BlockStart;
        return true;
      case Length:
        break;
      default:
        return fail("invalid literal/length code");
    }
    const uint16_t distance = decode(distances, bits_ >> used, count_ - used);
    if (distance == 0) return false;
    if (entryKind(distance) != Plain) {
      drop(used);
      return fail("invalid distance code");
    }
    drop(used + entryBits(distance));
  }
}

// A fault in a block's header is placed at the block's start, so that the
// inflater, which may find it too, is not given that block.
// The common case at full speed, with the bits in locals: literals, and
// lengths with their distances, whose codes fit the tables' first bits, while
// the piece has eight bytes left. 48 bits hold a length and its distance.
void DeflateCheck::skipShortCodes(const Code& literals, const Code& distances) {
  uint64_t bits = bits_;
  int count = count_;
  const unsigned char* next = next_;
  while (end_ - next >= 8) {
    if (count < 48) {
      uint64_t word;
      std::memcpy(&word, next, sizeof word);
      bits |= word << count;
      next += (63 - count) >> 3;
      count |= 56;
    }
    const uint16_t symbol = literals.primary[bits & PrimaryMask];
    int used = entryBits(symbol);
    if (entryKind(symbol) != Plain) {
      if (entryKind(symbol) != Length) break;
      const uint16_t distance = distances.primary[(bits >> used) & PrimaryMask];
      if (entryKind(distance) != Plain) break;
      used += entryBits(distance);
    }
    bits >>= used;
    count -= used;
  }
  bits_ = bits;
  count_ = count;
  next_ = next;
}

bool DeflateCheck::fail(const char* words) {
  faultBit_ = stage_ == Stage::Symbols ? bitsRead() : blockStart_;
  stage_ = Stage::Failed;
  fault_ = QString::fromLatin1(words);
  return false;
}

// Whether the bits are there, taking what they need from the piece.
bool DeflateCheck::need(int bits) {
  while (count_ < bits && next_ < end_) {
    bits_ |= static_cast<uint64_t>(*next_++) << count_;
    count_ += 8;
  }
  return count_ >= bits;
}

// At least 56 bits, or all the piece has left. Eight bytes are read at once
// where the piece has them: the bytes that do not fit stay unread, and their
// bits above count_ are the same as those a later read puts there.
static_assert(std::endian::native == std::endian::little, "eight bytes are read as one little-endian word");

void DeflateCheck::refill() {
  if (count_ >= 56) return;
  if (end_ - next_ >= 8) {
    uint64_t word;
    std::memcpy(&word, next_, sizeof word);
    bits_ |= word << count_;
    next_ += (63 - count_) >> 3;
    count_ |= 56;
    return;
  }
  need(57);
}

uint32_t DeflateCheck::take(int bits) {
  const uint32_t value = static_cast<uint32_t>(bits_ & ((uint64_t{1} << bits) - 1));
  drop(bits);
  return value;
}

void DeflateCheck::drop(int bits) {
  bits_ >>= bits;
  count_ -= bits;
}

}  // namespace zlibstream
