#include "tools/ProgressBar.h"

#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cstdio>

namespace tools {
namespace {

constexpr int DrawEveryMs = 100;
constexpr int BarWidth = 30;
constexpr qint64 EstimateAfterMs = 1000;

QString megabytes(qint64 bytes) { return QString::number(bytes / 1e6, 'f', 1) + " MB"; }

QString minutesAndSeconds(qint64 seconds) {
  return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

}  // namespace

QString ProgressLine(qint64 done, qint64 total, qint64 elapsedMs) {
  const double share = total > 0 ? std::clamp(static_cast<double>(done) / total, 0.0, 1.0) : 1.0;
  const int filled = static_cast<int>(share * BarWidth);
  QString line = QStringLiteral("[%1%2] %3% %4 of %5")
                     .arg(QString(filled, '#'), QString(BarWidth - filled, ' '))
                     .arg(static_cast<int>(share * 100), 3)
                     .arg(megabytes(done), megabytes(total));
  // Earlier, a rate is mostly the time it took to start.
  if (elapsedMs < EstimateAfterMs && share < 0.01) return line;
  const double rate = done / std::max(0.001, elapsedMs / 1000.0);
  const QString left = rate > 0 ? minutesAndSeconds(static_cast<qint64>((total - done) / rate))
                                : QStringLiteral("-");
  return line + QStringLiteral(", %1/s, %2 left").arg(megabytes(static_cast<qint64>(rate)), left);
}

ProgressBar::ProgressBar(qint64 total, bool quiet) : shown_(!quiet && ::isatty(STDERR_FILENO)), total_(total) {
  started_.start();
}

ProgressBar::~ProgressBar() { Clear(); }

void ProgressBar::Add(qint64 bytes) {
  done_ += bytes;
  if (shown_ && (!sinceDraw_.isValid() || sinceDraw_.hasExpired(DrawEveryMs))) draw();
}

void ProgressBar::Clear() {
  if (!onScreen_) return;
  std::fputs("\r\033[K", stderr);
  onScreen_ = false;
}

void ProgressBar::draw() {
  const QString line = '\r' + ProgressLine(done_, total_, started_.elapsed()) + "\033[K";
  std::fputs(line.toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
  onScreen_ = true;
  sinceDraw_.start();
}

}  // namespace tools
