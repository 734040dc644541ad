// The inflater behind ZlibStream judges every stream as zlib's inflate does:
// streams made with each defect zlib refuses (and the near misses it takes),
// then real streams with bits flipped.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QRandomGenerator>

#include "common/zlib/ZlibStream.h"
#include "tests/support/DatWriter.h"
#include "tests/support/DeflateBits.h"

namespace {

using testsupport::DeflateBits;
using zlibstream::Status;
using zlibstream::ZlibStream;

struct Verdict {
  bool accepted = false;
  QByteArray output;
  QString words;
};

// As uncompress judges: the stream ends with its checksum right; what follows does not count.
Verdict ZlibVerdict(const QByteArray& stream) {
  Verdict verdict;
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.constData()));
  z.avail_in = static_cast<uInt>(stream.size());
  QByteArray out(64 * 1024, Qt::Uninitialized);
  int code = Z_OK;
  while (code == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    code = inflate(&z, Z_NO_FLUSH);
    verdict.output.append(out.constData(), out.size() - z.avail_out);
  }
  verdict.accepted = code == Z_STREAM_END;
  verdict.words = QString::fromLatin1(z.msg ? z.msg : "");
  inflateEnd(&z);
  return verdict;
}

Verdict BackendVerdict(const QByteArray& stream, qsizetype piece) {
  Verdict verdict;
  ZlibStream inflater(ZlibStream::Mode::Inflate);
  const zlibstream::Sink keep = [&](char* bytes, qsizetype size) {
    verdict.output.append(bytes, size);
    return true;
  };
  Status status = Status::More;
  for (qsizetype at = 0; status == Status::More; at += piece)
    status = inflater.Feed(QByteArrayView(stream.constData() + at, std::min(piece, stream.size() - at)),
                           at + piece >= stream.size(), keep);
  verdict.accepted = status == Status::End;
  verdict.words = inflater.Message();
  return verdict;
}

// zlib's verdict is the one expected, and the backend's is the same whether
// the stream comes whole or in small pieces; whole, in zlib's words. (A
// header cut by a piece's end may be refused by ISA-L in its own words.)
void ExpectZlibVerdict(const QByteArray& stream, bool accepted, const char* words = "") {
  const Verdict zlib = ZlibVerdict(stream);
  ASSERT_EQ(zlib.accepted, accepted) << qPrintable(zlib.words);
  if (*words) {
    ASSERT_EQ(zlib.words, QLatin1String(words));
  }
  for (const qsizetype piece : {stream.size(), qsizetype(7), qsizetype(1)}) {
    const Verdict backend = BackendVerdict(stream, piece);
    EXPECT_EQ(backend.accepted, accepted) << "pieces of " << piece;
    if (accepted) {
      EXPECT_EQ(backend.output, zlib.output) << "pieces of " << piece;
    }
    if (*words && piece == stream.size()) {
      EXPECT_EQ(backend.words, QLatin1String(words));
    }
  }
}

QList<int> Lengths(int size, std::initializer_list<std::pair<int, int>> symbolLengths) {
  QList<int> lengths(size, 0);
  for (const auto& [symbol, length] : symbolLengths) lengths[symbol] = length;
  return lengths;
}

const QList<int> FourLiterals = Lengths(258, {{'a', 2}, {'b', 2}, {256, 2}, {257, 2}});
const QList<int> TwoDistances = Lengths(2, {{0, 1}, {1, 1}});

// "ab", then a length of 3 from 2 back, then the end: "ababa".
DeflateBits& AbabaData(DeflateBits& bits, const QList<int>& literals, const QList<int>& distances) {
  bits.symbol(literals, 'a').symbol(literals, 'b').symbol(literals, 257).symbol(distances, 1);
  return bits.symbol(literals, 256);
}

QByteArray Dynamic(const QList<int>& literals, const QList<int>& distances) {
  DeflateBits bits;
  bits.dynamicHeader(true, literals, distances);
  return AbabaData(bits, literals, distances).stream("ababa");
}

TEST(InflateVerdict, ASoundDynamicBlockIsTaken) { ExpectZlibVerdict(Dynamic(FourLiterals, TwoDistances), true); }

TEST(InflateVerdict, AnIncompleteLiteralSetIsRefusedThoughItsMissingCodeIsNotUsed) {
  const QList<int> three = Lengths(258, {{'a', 2}, {'b', 2}, {256, 2}});
  DeflateBits bits;
  bits.dynamicHeader(true, three, TwoDistances).symbol(three, 'a').symbol(three, 256);
  ExpectZlibVerdict(bits.stream("a"), false, "invalid literal/lengths set");
}

TEST(InflateVerdict, AnIncompleteLiteralSetIsRefusedWhenItsMissingCodeIsUsed) {
  const QList<int> three = Lengths(258, {{'a', 2}, {'b', 2}, {256, 2}});
  DeflateBits bits;
  bits.dynamicHeader(true, three, TwoDistances).code(3, 2).symbol(three, 256);
  ExpectZlibVerdict(bits.stream(), false, "invalid literal/lengths set");
}

TEST(InflateVerdict, AnOverSubscribedLiteralSetIsRefused) {
  const QList<int> over = Lengths(258, {{'a', 1}, {'b', 1}, {256, 1}});
  DeflateBits bits;
  bits.dynamicHeader(true, over, TwoDistances).symbol(over, 256);
  ExpectZlibVerdict(bits.stream(), false, "invalid literal/lengths set");
}

TEST(InflateVerdict, AnIncompleteDistanceSetIsRefused) {
  ExpectZlibVerdict(Dynamic(FourLiterals, Lengths(2, {{0, 2}, {1, 2}})), false, "invalid distances set");
}

TEST(InflateVerdict, ASingleDistanceCodeOfTwoBitsIsRefused) {
  const QList<int> one = Lengths(2, {{1, 2}});
  ExpectZlibVerdict(Dynamic(FourLiterals, one), false, "invalid distances set");
}

TEST(InflateVerdict, ASingleDistanceCodeOfOneBitIsTaken) {
  ExpectZlibVerdict(Dynamic(FourLiterals, Lengths(2, {{1, 1}})), true);
}

TEST(InflateVerdict, TheMissingCodeBesideASingleOneBitDistanceCodeIsRefusedWhenUsed) {
  const QList<int> one = Lengths(2, {{1, 1}});
  DeflateBits bits;
  bits.dynamicHeader(true, FourLiterals, one).symbol(FourLiterals, 'a').symbol(FourLiterals, 'b');
  bits.symbol(FourLiterals, 257).code(1, 1).symbol(FourLiterals, 256);
  ExpectZlibVerdict(bits.stream("ababa"), false, "invalid distance code");
}

TEST(InflateVerdict, NoDistanceCodeAtAllIsTakenUntilADistanceIsNeeded) {
  const QList<int> none = Lengths(1, {});
  DeflateBits literalsOnly;
  literalsOnly.dynamicHeader(true, FourLiterals, none).symbol(FourLiterals, 'a').symbol(FourLiterals, 256);
  ExpectZlibVerdict(literalsOnly.stream("a"), true);
  DeflateBits withLength;
  withLength.dynamicHeader(true, FourLiterals, none).symbol(FourLiterals, 'a').symbol(FourLiterals, 257);
  withLength.bits(0, 8).symbol(FourLiterals, 256);
  ExpectZlibVerdict(withLength.stream("aaaa"), false, "invalid distance code");
}

TEST(InflateVerdict, ASingleOneBitEndOfBlockCodeIsTaken) {
  DeflateBits bits;
  bits.dynamicHeader(true, Lengths(257, {{256, 1}}), Lengths(1, {})).code(0, 1);
  ExpectZlibVerdict(bits.stream(""), true);
}

TEST(InflateVerdict, AnIncompleteCodeLengthCodeIsRefused) {
  QList<int> codeLengths = Lengths(19, {});
  for (int symbol = 0; symbol < 15; ++symbol) codeLengths[symbol] = 4;
  DeflateBits bits;
  bits.dynamicHeader(true, FourLiterals, TwoDistances, codeLengths);
  ExpectZlibVerdict(AbabaData(bits, FourLiterals, TwoDistances).stream("ababa"), false,
                    "invalid code lengths set");
}

TEST(InflateVerdict, AnOverSubscribedCodeLengthCodeIsRefused) {
  QList<int> codeLengths(19, 4);
  DeflateBits bits;
  bits.dynamicHeader(true, FourLiterals, TwoDistances, codeLengths);
  ExpectZlibVerdict(AbabaData(bits, FourLiterals, TwoDistances).stream("ababa"), false,
                    "invalid code lengths set");
}

TEST(InflateVerdict, MoreThan286LiteralOr30DistanceCodesAreRefused) {
  QList<int> literals = FourLiterals;
  literals.resize(287);
  ExpectZlibVerdict(Dynamic(literals, TwoDistances), false, "too many length or distance symbols");
  QList<int> distances = TwoDistances;
  distances.resize(31);
  ExpectZlibVerdict(Dynamic(FourLiterals, distances), false, "too many length or distance symbols");
}

TEST(InflateVerdict, AnEndOfBlockWithoutACodeIsRefused) {
  ExpectZlibVerdict(Dynamic(Lengths(258, {{'a', 1}, {'b', 2}, {257, 2}}), TwoDistances), false,
                    "invalid code -- missing end-of-block");
}

// Code lengths 0..14 in four bits, 15 and the repeat in five.
DeflateBits RepeatHeader(int repeatSymbol) {
  QList<int> codeLengths = Lengths(19, {{15, 5}, {repeatSymbol, 5}});
  for (int symbol = 0; symbol < 15; ++symbol) codeLengths[symbol] = 4;
  DeflateBits bits;
  bits.bits(1, 1).bits(2, 2).bits(1, 5).bits(1, 5).bits(15, 4);
  for (const int symbol : {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15})
    bits.bits(codeLengths[symbol], 3);
  bits.symbol(codeLengths, repeatSymbol);
  return bits;
}

TEST(InflateVerdict, RepeatingTheLastLengthBeforeAnyIsRefused) {
  ExpectZlibVerdict(RepeatHeader(16).bits(0, 2).stream(), false, "invalid bit length repeat");
}

// 258 literal/length and 2 distance lengths: 138 zeros, then 123, one too many.
TEST(InflateVerdict, ARepeatPastTheLastLengthIsRefused) {
  QList<int> codeLengths = Lengths(19, {{15, 5}, {18, 5}});
  for (int symbol = 0; symbol < 15; ++symbol) codeLengths[symbol] = 4;
  DeflateBits bits = RepeatHeader(18).bits(127, 7);
  bits.symbol(codeLengths, 18).bits(123 - 11, 7);
  ExpectZlibVerdict(bits.stream(), false, "invalid bit length repeat");
}

DeflateBits Stored(const QByteArray& data, uint16_t complement) {
  DeflateBits bits;
  bits.bits(1, 1).bits(0, 2).align().bits(data.size(), 16).bits(complement, 16).bytes(data);
  return bits;
}

TEST(InflateVerdict, AStoredBlockWhoseLengthsDisagreeIsRefused) {
  const QByteArray data("stored");
  ExpectZlibVerdict(Stored(data, ~data.size() & 0xFFFF).stream(data), true);
  ExpectZlibVerdict(Stored(data, ~data.size() & 0xFFFE).stream(data), false, "invalid stored block lengths");
}

// Read fast, the coded block's bits run ahead into the stored block's bytes.
TEST(InflateVerdict, AStoredBlockBetweenCodedBlocksIsTaken) {
  const QByteArray text("stored between coded blocks");
  DeflateBits bits;
  bits.bits(0, 1).bits(1, 2);
  for (const char letter : QByteArray("fixed")) bits.code(0x30 + letter, 8);
  bits.code(0, 7).bits(0, 1).bits(0, 2).align().bits(text.size(), 16).bits(~text.size() & 0xFFFF, 16);
  bits.bytes(text).bits(1, 1).bits(1, 2).code(0x30 + '!', 8).code(0, 7);
  ExpectZlibVerdict(bits.stream("fixed" + text + "!"), true);
}

TEST(InflateVerdict, BlockTypeThreeIsRefused) {
  ExpectZlibVerdict(DeflateBits().bits(1, 1).bits(3, 2).bits(0, 16).stream(), false, "invalid block type");
}

// A fixed block with 'a' then, when given, a length of 3 with the distance code.
QByteArray Fixed(int distanceCode) {
  DeflateBits bits;
  bits.bits(1, 1).bits(1, 2).code(0x30 + 'a', 8);
  if (distanceCode >= 0) bits.code(1, 7).code(distanceCode, 5);
  return bits.code(0, 7).stream(distanceCode == 0 ? "aaaa" : "a");
}

TEST(InflateVerdict, FixedCodesWithoutSymbolsAreRefusedWhenUsed) {
  ExpectZlibVerdict(Fixed(0), true);
  ExpectZlibVerdict(Fixed(30), false, "invalid distance code");
  ExpectZlibVerdict(DeflateBits().bits(1, 1).bits(1, 2).code(0xC6, 8).bits(0, 16).stream(), false,
                    "invalid literal/length code");
}

TEST(InflateVerdict, ADistanceBeforeTheStartIsRefused) { ExpectZlibVerdict(Fixed(1), false); }

TEST(InflateVerdict, AWrongChecksumIsRefused) {
  ExpectZlibVerdict(Dynamic(FourLiterals, TwoDistances).chopped(1) + '\0', false);
}

TEST(InflateVerdict, BytesAfterTheChecksumDoNotCount) {
  ExpectZlibVerdict(Dynamic(FourLiterals, TwoDistances) + "after", true);
}

TEST(InflateVerdict, HeadersAreJudgedAsZlibJudgesThem) {
  const auto headed = [](char cmf, char flg) {
    return QByteArray().append(cmf).append(flg) + Stored("x", 0xFFFE).stream("x").mid(2);
  };
  ExpectZlibVerdict(headed('\x78', '\x01'), true);
  ExpectZlibVerdict(headed('\x78', '\x00'), false, "incorrect header check");
  ExpectZlibVerdict(headed('\x77', '\x09'), false, "unknown compression method");
  ExpectZlibVerdict(headed('\x88', '\x1C'), false, "invalid window size");
  ExpectZlibVerdict(headed('\x78', '\x3B'), false);
}

// zlib checks no distance against the window the header declares.
TEST(InflateVerdict, ADistanceBeyondASmallDeclaredWindowIsTaken) {
  const QByteArray data = testsupport::SampleText(300, 3);
  DeflateBits bits(0x08, 0x1D);
  bits.bits(0, 1).bits(0, 2).align().bits(300, 16).bits(~300 & 0xFFFF, 16).bytes(data);
  bits.bits(1, 1).bits(1, 2).code(1, 7).code(16, 5).bits(300 - 257, 7).code(0, 7);
  ExpectZlibVerdict(bits.stream(data + data.left(3)), true);
}

// Real streams of several kinds, a bit flipped at a time: half anywhere, half
// in the first bytes, where the first block's code sets are.
TEST(InflateVerdict, FlippedBitsOfRealStreamsAreJudgedAsZlibJudgesThem) {
  QByteArray data = testsupport::SampleText(48 * 1024, 5);
  QRandomGenerator random(18);
  for (qsizetype at = 16 * 1024; at < 20 * 1024; ++at) data[at] = static_cast<char>(random.generate());
  QList<QByteArray> streams;
  for (const int level : {1, 6, 9}) streams.append(testsupport::ZlibCompress(data, level));
  for (const int strategy : {Z_FIXED, Z_HUFFMAN_ONLY}) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 15, 8, strategy);
    QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(data.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    streams.append(out);
  }
  int refused = 0;
  for (int flip = 0; flip < 4000; ++flip) {
    QByteArray stream = streams[flip % streams.size()];
    const qsizetype span = flip % 2 ? std::min<qsizetype>(stream.size(), 64) : stream.size();
    const quint32 bit = random.bounded(static_cast<quint32>(span * 8));
    stream[bit / 8] = static_cast<char>(stream[bit / 8] ^ (1 << (bit % 8)));
    const Verdict zlib = ZlibVerdict(stream);
    const Verdict backend = BackendVerdict(stream, 1 + random.bounded(4096));
    ASSERT_EQ(backend.accepted, zlib.accepted)
        << "flip " << flip << ", bit " << bit << ": zlib says " << qPrintable(zlib.words);
    if (zlib.accepted) {
      ASSERT_EQ(backend.output, zlib.output) << "flip " << flip;
    }
    refused += !zlib.accepted;
  }
  EXPECT_GT(refused, 1000);
}

}  // namespace
