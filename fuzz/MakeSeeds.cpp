// Writes a small seed corpus for every fuzz target into the folder given:
// <folder>/<target>/<n>.
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "tests/support/DatWriter.h"
#include "tests/support/DeflateBits.h"

using namespace testsupport;

namespace {

QList<QByteArray> archives() {
  FixtureEntry negative;
  negative.name = "bad\\name";
  negative.filenameSize = -3;
  return {
      DatWriter().build(),
      DatWriter().add("README.TXT", "hello").build(),
      DatWriter()
          .add("TEXT\\ENGLISH\\DIALOG\\X.MSG", SampleText(300), true)
          .add("ART\\BACKGROUND\\Y.FRM", "frm")
          .add("art\\background\\z.frm", "z")
          .add(QByteArray(300, 'L'), "long")
          .build(),
      DatWriter().add("a\\b", "1").add(negative).build(),
  };
}

QList<QByteArray> streams() {
  QList<QByteArray> seeds;
  for (const QByteArray& data : {QByteArray(), QByteArray("x"), SampleText(5000)}) {
    const QByteArray stream = ZlibCompress(data);
    const auto n = static_cast<unsigned>(data.size());
    const char size[3] = {char(n & 0xff), char((n >> 8) & 0xff), char(n >> 16)};
    seeds << QByteArray(size, 3) + stream;
  }
  return seeds;
}

QList<QByteArray> gulpwellFiles() {
  QByteArray stream = ZlibCompress(SampleText(2000), 9);
  stream[1] = char(0xDA);
  return {stream, ZlibCompress("a"), "not a stream"};
}

// Whole and in small pieces: real streams, a dynamic block with a single
// one-bit distance code (taken) and one with an incomplete literal set (refused).
QList<QByteArray> inflateInputs() {
  QList<int> literals(258, 0), distances(2, 0);
  literals['a'] = literals['b'] = literals[256] = literals[257] = 2;
  distances[0] = 1;
  DeflateBits oneDistance;
  oneDistance.dynamicHeader(true, literals, distances);
  oneDistance.symbol(literals, 'a').symbol(literals, 257).symbol(distances, 0).symbol(literals, 256);
  QList<QByteArray> seeds;
  for (const QByteArray& stream : {ZlibCompress(SampleText(5000), 9), ZlibCompress(SampleText(300), 1),
                                   oneDistance.stream("aaaa"), IncompleteCodeSetStream()})
    seeds << '\0' + stream << '\7' + stream;
  return seeds;
}

QList<QByteArray> names() {
  return {"README.TXT", "ART\\CRITTERS\\RUNNER01.FRM", "Art\\critters\\x", "LINK\\escape", "a\\..\\b", "C:\\x",
          "a\\\\b"};
}

// A glob on the first line, names on the others.
QList<QByteArray> patternInputs() {
  return {"ART\\*.FRM\nart\\critters\\x.frm\nART\nREADME.TXT", "[!a-c]?x[]]*\nDx\\y\nbzx]\n\xC9tat\\a",
          "*a*a*a*a*a*b\naaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\naab", "TEXT/\ntext\\english\\x.msg\n[\n[ab"};
}

// The first byte sets the pieces the source hands out (made odd) and whether
// the folders are made first (its top bit); the rest is the archive. Entries
// that must wait for the one before: the same name in two letter cases, and a
// file where the next entry's folder goes.
QList<QByteArray> extractionInputs() {
  QList<QByteArray> inputs = archives();
  inputs << DatWriter().add("A\\x.txt", "first").add("a\\X.TXT", SampleText(900), true).build()
         << DatWriter().add("A", "a file").add("a\\x", "in a folder").build();
  QList<QByteArray> seeds;
  for (const QByteArray& archive : inputs) seeds << '\x06' + archive << '\x81' + archive;
  return seeds;
}

bool writeAll(const QDir& folder, const QString& target, const QList<QByteArray>& seeds) {
  if (!folder.mkpath(target)) return false;
  for (int i = 0; i < seeds.size(); ++i)
    if (!WriteFile(folder.filePath(QStringLiteral("%1/%2").arg(target).arg(i)), seeds[i])) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const bool ok = writeAll(folder, "fuzz_tallyhold_scan", archives()) &&
                  writeAll(folder, "fuzz_ledgerlamp_reader", archives()) &&
                  writeAll(folder, "fuzz_decompressor", streams()) &&
                  writeAll(folder, "fuzz_gulpwell_uncompress", gulpwellFiles()) &&
                  writeAll(folder, "fuzz_output_path", names()) &&
                  writeAll(folder, "fuzz_inflate_verdict", inflateInputs()) &&
                  writeAll(folder, "fuzz_name_patterns", patternInputs()) &&
                  writeAll(folder, "fuzz_extraction_run", extractionInputs());
  return ok ? 0 : 1;
}
