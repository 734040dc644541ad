#pragma once
// zlib's verdict on the shape of a zlib stream, read beside a faster inflater
// that is looser: the header, each block's type, a stored block's lengths, a
// dynamic block's code sets (zlib refuses an incomplete set, but for a single
// one-bit code) and every code the data uses are read as zlib's inflate reads
// them, without making the output. What needs the output (distances reaching
// before its start, the Adler-32) is left to the inflater.
#include <QString>
#include <QtGlobal>
#include <array>
#include <cstdint>

namespace zlibstream {

class DeflateCheck {
 public:
  DeflateCheck();

  // Starts a new stream.
  void Reset();

  struct Finding {
    qint64 soundBytes = 0;  // how many bytes of the piece lie wholly before the fault
    QString fault;          // zlib's words for the first fault, empty while there is none
  };
  // Reads the next piece of the stream; once a fault is found, every later
  // piece has no sound bytes.
  Finding Read(const unsigned char* data, qint64 size);

  // One code set, as a table of the first bits of each code and, for the
  // longer codes, a canonical decode.
  struct Code {
    static constexpr int PrimaryBits = 11;
    std::array<uint16_t, 1 << PrimaryBits> primary{};
    std::array<uint16_t, 16> count{};
    std::array<uint16_t, 288> sorted{};  // symbols by code length, then value
    int maxLength = 0;
    bool distances = false;
  };

 private:
  enum class Stage {
    Header,
    BlockStart,
    StoredLengths,
    StoredCopy,
    Counts,
    CodeLengthCode,
    CodeLengths,
    Symbols,
    Done,
    Failed
  };

  bool step();
  bool blockStart();
  bool storedLengths();
  bool storedCopy();
  bool counts();
  bool codeLengthCode();
  bool codeLengths();
  bool repeat(int symbol, int length);
  bool dynamicCodes();
  bool symbols();
  void skipShortCodes(const Code& literals, const Code& distances);
  bool fail(const char* words);

  bool need(int bits);
  void refill();
  uint32_t take(int bits);
  void drop(int bits);
  qint64 bitsRead() const { return (pieceStart_ + (next_ - begin_)) * 8 - count_; }

  Stage stage_ = Stage::Header;
  bool final_ = false;
  uint64_t bits_ = 0;  // bits above count_ are either zero or those at next_
  int count_ = 0;
  const unsigned char* begin_ = nullptr;
  const unsigned char* next_ = nullptr;
  const unsigned char* end_ = nullptr;
  qint64 pieceStart_ = 0;  // where the piece begins in the stream
  qint64 blockStart_ = 0;  // the bit where the block being read begins
  qint64 faultBit_ = 0;
  QString fault_;

  uint32_t storedLeft_ = 0;
  int lengthCount_ = 0;
  int distanceCount_ = 0;
  int codeLengthCount_ = 0;
  int index_ = 0;
  std::array<uint8_t, 19> codeLengthLengths_{};
  std::array<uint16_t, 128> codeLengthTable_{};
  std::array<uint8_t, 286 + 30> lengths_{};
  Code fixedLiterals_, fixedDistances_, literals_, distanceCodes_;
  const Code* literalCode_ = nullptr;
  const Code* distanceCode_ = nullptr;
};

}  // namespace zlibstream
