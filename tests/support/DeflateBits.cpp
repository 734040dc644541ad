#include "tests/support/DeflateBits.h"

#include <zlib.h>

namespace testsupport {

namespace {
constexpr int CodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
}  // namespace

QList<uint32_t> CanonicalCodes(const QList<int>& lengths) {
  uint32_t count[16] = {}, next[17] = {};
  for (const int length : lengths) ++count[length];
  count[0] = 0;
  for (int length = 1; length < 16; ++length) next[length + 1] = (next[length] + count[length]) << 1;
  QList<uint32_t> codes;
  for (const int length : lengths) codes.append(length ? next[length]++ : 0);
  return codes;
}

DeflateBits::DeflateBits(uint8_t cmf, uint8_t flg) {
  bytes_.append(static_cast<char>(cmf));
  bytes_.append(static_cast<char>(flg));
}

DeflateBits& DeflateBits::bits(uint32_t value, int width) {
  for (int i = 0; i < width; ++i) {
    pending_ |= ((value >> i) & 1) << pendingBits_;
    if (++pendingBits_ == 8) {
      bytes_.append(static_cast<char>(pending_));
      pending_ = 0;
      pendingBits_ = 0;
    }
  }
  return *this;
}

DeflateBits& DeflateBits::code(uint32_t value, int length) {
  for (int i = length - 1; i >= 0; --i) bits((value >> i) & 1, 1);
  return *this;
}

DeflateBits& DeflateBits::align() {
  if (pendingBits_ > 0) bits(0, 8 - pendingBits_);
  return *this;
}

DeflateBits& DeflateBits::bytes(const QByteArray& data) {
  for (const char byte : data) bits(static_cast<uint8_t>(byte), 8);
  return *this;
}

DeflateBits& DeflateBits::dynamicHeader(bool final, const QList<int>& literalLengths,
                                        const QList<int>& distanceLengths, const QList<int>& codeLengthLengths) {
  QList<int> codeLengthCode = codeLengthLengths;
  if (codeLengthCode.isEmpty()) {
    codeLengthCode.fill(0, 19);
    for (int symbol = 0; symbol < 16; ++symbol) codeLengthCode[symbol] = 4;
  }
  bits(final, 1).bits(2, 2);
  bits(literalLengths.size() - 257, 5).bits(distanceLengths.size() - 1, 5).bits(19 - 4, 4);
  for (const int symbol : CodeLengthOrder) bits(codeLengthCode[symbol], 3);
  for (const int length : literalLengths + distanceLengths) symbol(codeLengthCode, length);
  return *this;
}

DeflateBits& DeflateBits::symbol(const QList<int>& lengths, int value) {
  return code(CanonicalCodes(lengths)[value], lengths[value]);
}

QByteArray DeflateBits::stream() const {
  QByteArray result = bytes_;
  if (pendingBits_ > 0) result.append(static_cast<char>(pending_));
  return result;
}

QByteArray DeflateBits::stream(const QByteArray& output) const {
  QByteArray result = stream();
  const uLong sum = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(output.constData()),
                            static_cast<uInt>(output.size()));
  for (int shift = 24; shift >= 0; shift -= 8) result.append(static_cast<char>(sum >> shift));
  return result;
}

QByteArray IncompleteCodeSetStream() {
  QList<int> literals(258, 0);
  literals['a'] = literals[256] = literals[257] = 2;
  DeflateBits bits;
  bits.dynamicHeader(true, literals, {1, 1}).symbol(literals, 'a').symbol(literals, 256);
  return bits.stream("a");
}

}  // namespace testsupport
