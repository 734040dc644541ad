#pragma once
// Writes zlib streams bit by bit, so that tests can make blocks with chosen
// code sets, sound or not, and see how a decoder judges them.
#include <QByteArray>
#include <QList>
#include <cstdint>

namespace testsupport {

class DeflateBits {
 public:
  // The zlib header: 78 01 unless told otherwise.
  explicit DeflateBits(uint8_t cmf = 0x78, uint8_t flg = 0x01);

  // A value of the given width, least significant bit first.
  DeflateBits& bits(uint32_t value, int width);
  // A Huffman code of the given length, most significant bit first.
  DeflateBits& code(uint32_t value, int length);
  // To the next byte boundary.
  DeflateBits& align();
  DeflateBits& bytes(const QByteArray& data);

  // A dynamic block's header: HLIT, HDIST and the code-length code's lengths
  // are derived from the sets, whose lengths are sent with the code-length
  // code giving every length 0..15 four bits (codeLengthLengths replaces it).
  DeflateBits& dynamicHeader(bool final, const QList<int>& literalLengths, const QList<int>& distanceLengths,
                             const QList<int>& codeLengthLengths = {});
  // One symbol of a set whose lengths are given, in its canonical code.
  DeflateBits& symbol(const QList<int>& lengths, int symbol);

  // The bytes so far; with the Adler-32 of the output appended when asked.
  QByteArray stream() const;
  QByteArray stream(const QByteArray& output) const;

 private:
  QByteArray bytes_;
  uint32_t pending_ = 0;
  int pendingBits_ = 0;
};

// The canonical code of each symbol of a set of code lengths.
QList<uint32_t> CanonicalCodes(const QList<int>& lengths);

// A whole stream of "a" in one dynamic block whose literal/length codes leave
// a code unused: zlib refuses the set, though the data never reaches it.
QByteArray IncompleteCodeSetStream();

}  // namespace testsupport
