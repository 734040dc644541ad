#include "bench/gulpwell/BenchInputs.h"

#include <QFile>
#include <QRandomGenerator>
#include <functional>

namespace gulpwellbench {
namespace {

constexpr qsizetype Stretch = 64 * 1024;

using Filler = std::function<void(QByteArray& stretch, QRandomGenerator& random)>;

void fillText(QByteArray& stretch, QRandomGenerator& random) {
  static const char* const words[] = {"harbour ", "lantern ", "the ",  "of ",  "skarrow ",
                                      "ledger ",  "1998 ",    "gull ", "and ", "mist ",
                                      "rope, ",   "tally ",   "a ",    "42 ",  ".\n"};
  stretch.clear();
  while (stretch.size() < Stretch) stretch.append(words[random.bounded(15)]);
  stretch.truncate(Stretch);
}

void fillRandom(QByteArray& stretch, QRandomGenerator& random) {
  stretch.resize(Stretch);
  random.fillRange(reinterpret_cast<quint32*>(stretch.data()), Stretch / 4);
}

void fillZeros(QByteArray& stretch, QRandomGenerator& random) {
  stretch.fill('\0', Stretch);
  for (int mark = 0; mark < 64; ++mark) stretch[random.bounded(Stretch)] = static_cast<char>(mark);
}

void fillTable(QByteArray& stretch, QRandomGenerator& random) {
  stretch.resize(Stretch);
  auto* cells = reinterpret_cast<quint32*>(stretch.data());
  quint32 value = random.generate() & 0xFFFF;
  for (qsizetype cell = 0; cell < Stretch / 4; ++cell) cells[cell] = value += random.bounded(300);
}

bool writeStretches(const QString& path, int64_t size, const QList<Filler>& fillers) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QRandomGenerator random(20260501);
  QByteArray stretch;
  for (int64_t written = 0; written < size; written += stretch.size()) {
    fillers[random.bounded(static_cast<int>(fillers.size()))](stretch, random);
    stretch.truncate(static_cast<qsizetype>(std::min<int64_t>(stretch.size(), size - written)));
    if (file.write(stretch) != stretch.size()) return false;
  }
  return true;
}

}  // namespace

bool WriteTextLike(const QString& path, int64_t size) { return writeStretches(path, size, {fillText}); }

bool WriteMixedBinary(const QString& path, int64_t size) {
  return writeStretches(path, size, {fillRandom, fillText, fillZeros, fillTable});
}

}  // namespace gulpwellbench
